#include "platform/win/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
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

} // namespace win
