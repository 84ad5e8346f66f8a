#pragma once

#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"
#include "setup/wizard.h"
#include "ui/import_page_widget.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace shiftex {

class SetupPageWidget;

// The new-schedule wizard's window: the step list on the left, the page on the right, and Help,
// Prior and Next below. Finish on the last page loads the new schedule; the main window takes it
// with takeDocument() once the dialog is accepted.
class WizardDialog : public QDialog {
    Q_OBJECT

public:
    WizardDialog(const QString& programFolder, MessageSink& messages, SettingsStore* settings,
                 QWidget* parent = nullptr);
    ~WizardDialog() override;

    // Answers back to their defaults for the month of `today`, page 0.
    void start(const QDate& today);
    Wizard& wizard() { return *wizard_; }
    // The schedule Finish built; empty before.
    std::optional<ScheduleDocument> takeDocument();
    // Instead of the open dialog of the template page (tests).
    void setTemplateChooser(ImportPageWidget::FileChooser chooser);

    // The widgets a test drives.
    QWidget* pageWidget() const { return page_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* priorButton() const { return prior_; }
    QPushButton* helpButton() const { return help_; }
    // The "Finish" button of the last page; null on the others.
    QPushButton* finishButton() const { return finish_; }
    QList<QLabel*> stepLabels() const { return steps_; }

signals:
    void pageShown(int page);

public slots:
    void reject() override;

private:
    void move(bool forward);
    void finish();
    // A fresh window for the page the wizard is on.
    void showPage();
    void updateButtons();
    QWidget* makePage();

    MessageSink& messages_;
    SettingsStore* settings_;
    std::unique_ptr<Wizard> wizard_;
    ImportPageWidget::FileChooser templateChooser_;
    std::optional<ScheduleDocument> document_;
    QList<QLabel*> steps_;
    QVBoxLayout* pageArea_;
    QWidget* page_ = nullptr;
    QPushButton* finish_ = nullptr;
    QPushButton* help_;
    QPushButton* prior_;
    QPushButton* next_;
};

} // namespace shiftex
