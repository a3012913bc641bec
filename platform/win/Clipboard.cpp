#include "platform/win/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

namespace win {

bool SetClipboardText(const std::string& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

std::string GetClipboardText()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text().toStdString() : std::string();
}

bool SetClipboardHtml(const std::string& htmlFormat, const std::string& fragment, const std::string& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    auto* data = new QMimeData;
    data->setData("HTML Format", QByteArray::fromStdString(htmlFormat));
    data->setHtml(QString::fromStdString(fragment));
    data->setText(QString::fromStdString(text));
    clipboard->setMimeData(data);
    return true;
}

std::string GetClipboardData(const std::string& format)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data ? data->data(QString::fromStdString(format)).toStdString() : std::string();
}

} // namespace win
