#include "ui/import_page_widget.h"

#include "editing/schedule_session.h"
#include "ui/file_dialogs.h"
#include "ui/sheet_view.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace shiftex {

ImportPageWidget::ImportPageWidget(ImportPage& page, MessageSink& messages, FileChooser chooser,
                                   QWidget* parent)
    : SetupPageWidget(page, messages, parent),
      page_(page),
      chooser_(std::move(chooser)),
      template_(new QRadioButton(QString::fromUtf8(kUseTemplateCaption), this)),
      scratch_(new QRadioButton(QString::fromUtf8(kFromScratchCaption), this)),
      browse_(new QToolButton(this)),
      noPreview_(new QLabel(QString::fromUtf8(kNoPreviewText), this)),
      previewLayout_(new QVBoxLayout)
{
    auto* options = new QButtonGroup(this);
    options->addButton(template_);
    options->addButton(scratch_);
    connect(template_, &QRadioButton::clicked, this, [this] {
        binder_->run([this]() -> Result<void> {
            page_.Choose(ImportPage::Choice::Template);
            return {};
        });
    });
    connect(scratch_, &QRadioButton::clicked, this, [this] {
        binder_->run([this]() -> Result<void> {
            page_.Choose(ImportPage::Choice::Scratch);
            return {};
        });
    });
    browse_->setText(QStringLiteral("..."));
    browse_->setToolTip(QStringLiteral("Use an other Shiftex file as template"));
    connect(browse_, &QToolButton::clicked, this, &ImportPageWidget::browse);
    QLineEdit* path = addLineEdit("path", "");

    noPreview_->setAlignment(Qt::AlignCenter);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path, 1);
    pathRow->addWidget(browse_);
    auto* group = new QGroupBox(this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(template_);
    groupLayout->addLayout(pathRow);
    groupLayout->addWidget(scratch_);
    previewLayout_->addWidget(noPreview_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(previewLayout_, 1);

    rebuildPreview();
    connect(binder_, &PageBinder::refreshed, this, &ImportPageWidget::showPage);
    binder_->refresh();
}

ImportPageWidget::~ImportPageWidget()
{
    // The sheet view goes before the session it draws.
    delete preview_;
}

void ImportPageWidget::browse()
{
    binder_->run([this]() -> Result<void> {
        page_.ChooseTemplateOption();
        return {};
    });
    const QString path =
        chooser_ ? chooser_()
                 : QFileDialog::getOpenFileName(this, QStringLiteral("Open Shiftex File"),
                                                DocumentsFolder(), ScheduleFileFilter());
    if (path.isEmpty())
        return;
    binder_->run([this, path] {
        const Result<void> result = page_.ImportTemplate(path.toStdString());
        rebuildPreview();
        return result;
    });
}

void ImportPageWidget::rebuildPreview()
{
    delete preview_;
    preview_ = nullptr;
    ScheduleDocument document = CreateDocument();
    document.sheet = page_.preview();
    document.fontName = page_.preview().fontName;
    static SilentMessageSink silent;
    previewSession_ = std::make_unique<ScheduleSession>(std::move(document), silent);
    preview_ = new SheetView(*previewSession_, this);
    // A preview to look at: clicks and keys do not reach the sheet.
    preview_->setFocusPolicy(Qt::NoFocus);
    preview_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    previewLayout_->insertWidget(0, preview_, 1);
}

void ImportPageWidget::showPage()
{
    const QSignalBlocker blockTemplate(template_);
    const QSignalBlocker blockScratch(scratch_);
    const bool fromTemplate = page_.choice() == ImportPage::Choice::Template;
    template_->setChecked(fromTemplate);
    scratch_->setChecked(!fromTemplate);
    preview_->setVisible(page_.previewShown());
    noPreview_->setVisible(page_.noPreviewShown());
}

} // namespace shiftex
