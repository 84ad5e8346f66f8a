#include "ui/wizard_dialog.h"

#include "platform/qt_text_metrics.h"
#include "setup/custom_query_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/sheet_colours_page.h"
#include "setup/working_types_page.h"
#include "ui/colour_page_widgets.h"
#include "ui/help_topic.h"
#include "ui/holidays_page_widget.h"
#include "ui/list_page_widgets.h"
#include "ui/setup_widgets.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shiftex {

namespace {

QPushButton* Button(const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

WizardDialog::WizardDialog(const QString& programFolder, MessageSink& messages,
                           SettingsStore* settings, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      settings_(settings),
      wizard_(std::make_unique<Wizard>(
          std::filesystem::path(QFile::encodeName(programFolder).toStdString()), messages)),
      pageArea_(new QVBoxLayout),
      help_(Button(QStringLiteral("&Help"), QString(), this)),
      prior_(Button(QStringLiteral("&Prior"), QStringLiteral("Go To Prior Menu"), this)),
      next_(Button(QStringLiteral("&Next"), QStringLiteral("Go To Next Menu"), this))
{
    setWindowTitle(QString::fromUtf8(kWizardCaption));
    setModal(true);

    auto* stepsPanel = new QFrame(this);
    stepsPanel->setFrameShape(QFrame::StyledPanel);
    stepsPanel->setMinimumWidth(200);
    auto* stepsLayout = new QVBoxLayout(stepsPanel);
    auto* heading = new QLabel(QString::fromUtf8(kStepsHeading), stepsPanel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    stepsLayout->addWidget(heading);
    for (const WizardStep& step : WizardSteps()) {
        auto* label = new QLabel(QString::fromUtf8(step.caption), stepsPanel);
        if (step.heading)
            label->setFont(bold);
        else
            label->setIndent(12);
        steps_ << label;
        stepsLayout->addWidget(label);
    }
    stepsLayout->addStretch();

    connect(help_, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(wizard_->helpTopic()); });
    connect(prior_, &QPushButton::clicked, this, [this] { move(false); });
    connect(next_, &QPushButton::clicked, this, [this] { move(true); });

    auto* content = new QHBoxLayout;
    content->addWidget(stepsPanel);
    content->addLayout(pageArea_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_);
    buttons->addStretch();
    buttons->addWidget(prior_);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addLayout(buttons);
    resize(860, 560);
}

WizardDialog::~WizardDialog() = default;

void WizardDialog::start(const QDate& today)
{
    document_.reset();
    wizard_->Show(today.year(), today.month());
    showPage();
}

std::optional<ScheduleDocument> WizardDialog::takeDocument()
{
    std::optional<ScheduleDocument> document = std::move(document_);
    document_.reset();
    return document;
}

void WizardDialog::setTemplateChooser(ImportPageWidget::FileChooser chooser)
{
    templateChooser_ = std::move(chooser);
}

void WizardDialog::reject()
{
    if (auto* page = qobject_cast<SetupPageWidget*>(page_))
        page->binder().detach();
    wizard_->Close();
    QDialog::reject();
}

void WizardDialog::move(bool forward)
{
    // The page's own leave checks come first, as when its focus leaves; then its window lets go
    // of the page, which the wizard replaces.
    if (auto* page = qobject_cast<SetupPageWidget*>(page_)) {
        page->binder().run({});
        page->binder().detach();
    }
    const Result<void> result = forward ? wizard_->Next() : wizard_->Prior();
    showPage();
    ShowMessage(result, messages_);
}

void WizardDialog::finish()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Result<ScheduleDocument> document = wizard_->Finish(QtTextMetrics(font()));
    QApplication::restoreOverrideCursor();
    if (!document) {
        // The wizard stays open, so that nothing entered is lost.
        messages_.Error(document.error().message);
        return;
    }
    document_ = std::move(*document);
    accept();
}

QWidget* WizardDialog::makePage()
{
    finish_ = nullptr;
    SetupPage* editor = wizard_->editor();
    switch (wizard_->page()) {
    case 0: {
        auto* text = new QLabel(MnemonicText(kGeneralInformationText), this);
        text->setTextFormat(Qt::RichText);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setWordWrap(true);
        return text;
    }
    case 1:
        return new HolidaysPageWidget(PageAs<HolidaysPage>(editor), messages_, true, this);
    case 2:
        return new ImportPageWidget(PageAs<ImportPage>(editor), messages_, templateChooser_,
                                    this);
    case 3:
        return new EmployeesPageWidget(PageAs<EmployeesPage>(editor), messages_, this);
    case 4:
        return new WorkingTypesPageWidget(PageAs<WorkingTypesPage>(editor), messages_, this);
    case 5:
        return new CustomQueryPageWidget(PageAs<CustomQueryPage>(editor), messages_, this);
    case 6:
        return new SheetColoursPageWidget(PageAs<SheetColoursPage>(editor), messages_,
                                          settings_, this);
    default: break;
    }
    auto* group = new QGroupBox(QString::fromUtf8(kFinishedGroup), this);
    auto* layout = new QVBoxLayout(group);
    for (const char* text : kFinishedTexts) {
        auto* label = new QLabel(MnemonicText(text), group);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    finish_ = Button(QStringLiteral("Finish"),
                     QStringLiteral("Hit this button and start scheduling"), group);
    connect(finish_, &QPushButton::clicked, this, &WizardDialog::finish);
    layout->addWidget(finish_, 0, Qt::AlignCenter);
    layout->addStretch();
    return group;
}

void WizardDialog::showPage()
{
    if (page_ != nullptr) {
        page_->hide();
        page_->deleteLater();
    }
    page_ = makePage();
    pageArea_->addWidget(page_);
    if (auto* page = qobject_cast<SetupPageWidget*>(page_))
        connect(page, &SetupPageWidget::refreshed, this, &WizardDialog::updateButtons);
    page_->show();
    const int marker = wizard_->markerRow();
    for (int row = 0; row < steps_.size(); ++row) {
        const WizardStep& step = WizardSteps()[static_cast<std::size_t>(row)];
        // The marker: an arrow before the current step.
        steps_[row]->setText((row == marker ? QStringLiteral("\u25B6 ") : QString()) +
                             QString::fromUtf8(step.caption));
    }
    updateButtons();
    emit pageShown(wizard_->page());
}

void WizardDialog::updateButtons()
{
    prior_->setEnabled(wizard_->priorEnabled());
    next_->setEnabled(wizard_->nextEnabled());
}

} // namespace shiftex
