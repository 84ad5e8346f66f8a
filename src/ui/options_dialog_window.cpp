#include "ui/options_dialog_window.h"

#include "platform/qt_text_metrics.h"
#include "setup/custom_query_page.h"
#include "setup/departments_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/sheet_colours_page.h"
#include "setup/threshold_page.h"
#include "setup/working_types_page.h"
#include "ui/colour_page_widgets.h"
#include "ui/holidays_page_widget.h"
#include "ui/list_page_widgets.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolBox>

#include <filesystem>

namespace shiftex {

OptionsDialogWindow::OptionsDialogWindow(const QString& programFolder, MessageSink& messages,
                                         SettingsStore* settings, ProgramBackup& backup,
                                         QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      settings_(settings),
      dialog_(std::make_unique<OptionsDialog>(
          std::filesystem::path(QFile::encodeName(programFolder).toStdString()), messages,
          backup)),
      bar_(new QToolBox(this)),
      pageArea_(new QHBoxLayout)
{
    setModal(true);
    setObjectName(QStringLiteral("TFrm_Options"));
    const auto& panels = OptionsPanels();
    for (int p = 0; p < static_cast<int>(panels.size()); ++p) {
        auto* list = new QListWidget(bar_);
        list->setObjectName(QStringLiteral("OptionsPanel%1").arg(p));
        list->setFrameShape(QFrame::NoFrame);
        list->setSpacing(3);
        for (const char* item : panels[static_cast<std::size_t>(p)].items)
            list->addItem(QString::fromUtf8(item));
        connect(list, &QListWidget::itemClicked, this, [this, p, list](QListWidgetItem* item) {
            clickItem(p, list->row(item));
        });
        bar_->addItem(list, QString::fromUtf8(panels[static_cast<std::size_t>(p)].caption));
        items_ << list;
    }
    bar_->setFixedWidth(190);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(bar_);
    layout->addLayout(pageArea_, 1);
    resize(800, 540);
}

OptionsDialogWindow::~OptionsDialogWindow()
{
    if (auto* page = qobject_cast<SetupPageWidget*>(page_))
        page->binder().detach();
}

bool OptionsDialogWindow::start(ScheduleSession& session, int panel, int item,
                                std::optional<std::string> code)
{
    const Result<void> opened = dialog_->Open(session, panel, item, std::move(code));
    if (!dialog_->shown()) {
        ShowMessage(opened, messages_);
        return false;
    }
    showPage();
    ShowMessage(opened, messages_);
    return true;
}

void OptionsDialogWindow::setFolderChooser(BackupPageWidget::FolderChooser chooser)
{
    folderChooser_ = std::move(chooser);
}

void OptionsDialogWindow::clickItem(int panel, int item)
{
    if (!dialog_->shown() || !IsOptionsItem(panel, item))
        return;
    // The page's own leave checks come first, as when its focus leaves; then its window lets
    // go of the page, which the dialog replaces.
    if (auto* page = qobject_cast<SetupPageWidget*>(page_)) {
        page->binder().run({});
        page->binder().detach();
    }
    const Result<void> result = dialog_->ClickItem(panel, item);
    showPage();
    ShowMessage(result, messages_);
}

void OptionsDialogWindow::reject()
{
    if (!dialog_->shown()) {
        QDialog::reject();
        return;
    }
    if (auto* page = qobject_cast<SetupPageWidget*>(page_)) {
        page->binder().run({});
        page->binder().detach();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const OptionsClosed closed = dialog_->Close(QtTextMetrics(QApplication::font()));
    if (page_ != nullptr) {
        page_->hide();
        page_->deleteLater();
        page_ = nullptr;
    }
    QApplication::restoreOverrideCursor();
    QDialog::reject();
    emit applied(closed.closeSchedule);
}

void OptionsDialogWindow::selectInBar()
{
    bar_->setCurrentIndex(dialog_->panel());
    for (int p = 0; p < items_.size(); ++p) {
        const QSignalBlocker block(items_[p]);
        if (p == dialog_->panel())
            items_[p]->setCurrentRow(dialog_->item());
        else
            items_[p]->clearSelection();
    }
}

QWidget* OptionsDialogWindow::makePage()
{
    OptionsDialog& d = *dialog_;
    switch (d.currentPage()) {
    case OptionsPage::Employees:
        return new EmployeesPageWidget(PageAs<EmployeesPage>(d.page()), messages_, this);
    case OptionsPage::WorkingTypes:
        return new WorkingTypesPageWidget(PageAs<WorkingTypesPage>(d.page()), messages_, this);
    case OptionsPage::CustomQuery:
        return new CustomQueryPageWidget(PageAs<CustomQueryPage>(d.page()), messages_, this);
    case OptionsPage::Departments:
        return new DepartmentsPageWidget(PageAs<DepartmentsPage>(d.page()), messages_, this);
    case OptionsPage::Holidays:
        return new HolidaysPageWidget(PageAs<HolidaysPage>(d.page()), messages_, false, this);
    case OptionsPage::SheetColours:
        return new SheetColoursPageWidget(PageAs<SheetColoursPage>(d.page()), messages_, settings_,
                                          this);
    case OptionsPage::QueryThresholds:
    case OptionsPage::EmployeeTypeThresholds:
    case OptionsPage::DayTypeThresholds:
        return new ThresholdPageWidget(PageAs<ThresholdPage>(d.page()), messages_, this);
    case OptionsPage::Backup: {
        auto* backup = new BackupPageWidget(PageAs<BackupPage>(d.page()), messages_, this);
        if (folderChooser_)
            backup->setFolderChooser(folderChooser_);
        return backup;
    }
    case OptionsPage::Mail:
        return new MailPageWidget(PageAs<MailPage>(d.page()), messages_, this);
    case OptionsPage::WebSite: break;
    }
    return new QWidget(this);
}

void OptionsDialogWindow::showPage()
{
    if (page_ != nullptr) {
        page_->hide();
        page_->deleteLater();
    }
    page_ = makePage();
    page_->setObjectName(page_->objectName().isEmpty() ? QStringLiteral("emptyPage")
                                                       : page_->objectName());
    pageArea_->addWidget(page_);
    page_->show();
    setWindowTitle(QString::fromStdString(dialog_->caption()));
    selectInBar();
}

} // namespace shiftex
