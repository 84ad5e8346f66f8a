#include "ui/options_page_widgets.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace shiftex {

namespace {

QLabel* Text(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

BackupPageWidget::BackupPageWidget(BackupPage& page, MessageSink& messages, QWidget* parent)
    : SetupPageWidget(page, messages, parent),
      page_(page),
      toggle_(addButton("toggle", "", "Enable / Disable auto backup")),
      panel_(new QWidget(this)),
      interval_(new QSpinBox(panel_)),
      folder_(new QLineEdit(panel_)),
      browse_(new QPushButton(QStringLiteral("..."), panel_))
{
    chooser_ = [this](const QString& current) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Select Directory"),
                                                 current);
    };
    auto* group = new QGroupBox(QStringLiteral("Backup"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Text(QString::fromUtf8(kBackupPageText).remove(QLatin1Char('\r')),
                                group));
    auto* toggleRow = new QHBoxLayout;
    toggleRow->addWidget(toggle_);
    toggleRow->addStretch();
    groupLayout->addLayout(toggleRow);

    // Zero can be typed, so that the page can make it one minute.
    interval_->setRange(0, kMaxBackupInterval);
    interval_->setToolTip(QStringLiteral("Set interval between backup creation"));
    binder_->bindSpinBox(interval_, "interval");
    connect(interval_, &QSpinBox::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            binder_->run([this] { return page_.SetField("interval", ""); });
    });
    folder_->setReadOnly(true);
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setToolTip(QStringLiteral("Select output directory"));
    browse_->setObjectName(QStringLiteral("browse"));
    browse_->setToolTip(folder_->toolTip());
    browse_->setAutoDefault(false);
    connect(browse_, &QPushButton::clicked, this, &BackupPageWidget::chooseFolder);

    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 8, 0, 0);
    auto* everyRow = new QHBoxLayout;
    everyRow->addWidget(caption(kBackupEveryText, panel_));
    everyRow->addWidget(interval_);
    everyRow->addWidget(caption(kBackupMinutesText, panel_));
    everyRow->addStretch();
    panelLayout->addLayout(everyRow);
    for (const char* line : kBackupFolderLines)
        panelLayout->addWidget(caption(line, panel_));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse_);
    panelLayout->addLayout(folderRow);
    groupLayout->addWidget(panel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttonRow({addButton("save", "&Save changes", "Save changes"),
                                 addButton("default", "&Default", "Load default values"),
                                 addButton("help", "&Help", "Show help information")}));
    connect(binder_, &PageBinder::refreshed, this, &BackupPageWidget::showPage);
    binder_->refresh();
}

void BackupPageWidget::showPage()
{
    toggle_->setText(QString::fromStdString(page_.Text("toggle")));
    panel_->setVisible(page_.panelShown());
    folder_->setText(QString::fromStdString(page_.Text("folder")));
    // The folder is no typed field of the binder: its focus request is followed here.
    if (page_.focusRequests() != focusRequests_) {
        focusRequests_ = page_.focusRequests();
        if (page_.focus() == "folder" && panel_->isVisible())
            folder_->setFocus(Qt::OtherFocusReason);
    }
}

void BackupPageWidget::chooseFolder()
{
    const QString chosen = chooser_(folder_->text());
    if (chosen.isEmpty())
        return;
    const std::string folder = QDir::toNativeSeparators(chosen).toStdString();
    binder_->run([this, folder] { return page_.SetField("folder", folder); });
}

MailPageWidget::MailPageWidget(MailPage& page, MessageSink& messages, QWidget* parent)
    : SetupPageWidget(page, messages, parent)
{
    auto* group = new QGroupBox(QStringLiteral("Send Email"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Text(QString::fromUtf8(kMailPageText).remove(QLatin1Char('\r')),
                                group));
    groupLayout->addLayout(buttonRow({addButton("mail", kMailButtonCaption,
                                                "Open a new message in your mail program"),
                                      addButton("webform", kWebFormButtonCaption,
                                                "Open the web form on our web site")}));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    binder_->refresh();
}

} // namespace shiftex
