#pragma once
// Widgets of the controls a dialog template names (internal to the window layer).
#include "platform/win/Wnd.h"

#include <memory>
#include <string>

class QWidget;

namespace win::detail {

// The widget of a control of a window class ("Static", "Edit", "Button", ...)
// with its style; unknown classes get a plain widget their window draws.
QWidget* CreateControlWidget(const std::string& className, DWORD style, const std::string& text,
                             UINT imageId, QWidget* parent);
// The object that stands for a template control until a member takes it over.
std::unique_ptr<CWnd> NewControlObject(const std::string& className);

// A window's text as its widget shows it.
void SetWidgetText(QWidget* widget, const std::string& text);
std::string GetWidgetText(const QWidget* widget);

// The check state of a button widget (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
int GetWidgetCheck(const QWidget* widget);
void SetWidgetCheck(QWidget* widget, int check);

} // namespace win::detail
