#pragma once
// The text-case tool (template 501): a small modeless window that changes the
// case of a text and copies it to the clipboard. Several may be open at once.
#include "platform/win/Dialog.h"
#include "store/MyFunctions.h"

#include <string>

class CMyTool : public CDialogEx {
public:
    enum { IDD = 501 };
    explicit CMyTool(CWnd* parent = nullptr);

    const std::string& GetText() const { return m_text; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnTextChanged();
    void OnLowerCase();
    void OnFirstUpper();
    void OnUpperCase();
    void OnToClipboard();

private:
    MyFunctions m_fn;
    std::string m_text;
};

namespace texttool {
// Case mapping of UTF-8 text, letters beyond ASCII included.
std::string ToLower(const std::string& text);
std::string ToUpper(const std::string& text);
} // namespace texttool
