#include "ui/DocumentViewers.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr QSize kViewerSize(640, 480);

QString readText(const QString& nativePath) {
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The file %1 cannot be read: %2").arg(nativePath, file.errorString());
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    // The log and the report hold the texts of file names, which need not be UTF-8.
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

void arrange(QDialog& viewer, QWidget* content) {
    viewer.setAttribute(Qt::WA_DeleteOnClose);
    viewer.setModal(false);
    viewer.resize(kViewerSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::close);
    auto* layout = new QVBoxLayout(&viewer);
    layout->addWidget(content, 1);
    layout->addWidget(buttons);
}

} // namespace

TextViewer::TextViewer(const QString& nativePath, QWidget* owner)
    : QDialog(owner, Qt::Window)
    , text_(new QPlainTextEdit) {
    setObjectName(QStringLiteral("frmTextViewer"));
    setWindowTitle(QFileInfo(nativePath).fileName());
    text_->setObjectName(QStringLiteral("txtDocument"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report is a fixed-width table.
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setPlainText(readText(nativePath));
    arrange(*this, text_);
}

HelpViewer::HelpViewer(const QString& nativePath, QWidget* owner)
    : QDialog(owner, Qt::Window)
    , browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("frmHelpViewer"));
    setWindowTitle(QStringLiteral("Quorvel Import Utility Help"));
    browser_->setObjectName(QStringLiteral("brwHelp"));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(nativePath));
    arrange(*this, browser_);
}

void showTextViewer(const QString& nativePath, QWidget* owner) {
    auto* viewer = new TextViewer(nativePath, owner);
    viewer->show();
}

void showHelpViewer(const QString& nativePath, QWidget* owner) {
    auto* viewer = new HelpViewer(nativePath, owner);
    viewer->show();
}

} // namespace ui
