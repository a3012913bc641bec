#include "platform/win/EditBrowseCtrl.h"

#include "platform/win/MessageBox.h"
#include "platform/win/WidgetGlue.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>
#include <filesystem>

using namespace win::detail;

void CMFCEditBrowseCtrl::EnableFolderBrowseButton(const char* title)
{
    m_mode = BrowseMode_Folder;
    m_title = title ? title : "";
    showButton(true);
}

void CMFCEditBrowseCtrl::EnableFileBrowseButton(const char* defaultExt, const char* filter)
{
    m_mode = BrowseMode_File;
    m_defaultExt = defaultExt ? defaultExt : "";
    m_filter = filter ? filter : "";
    showButton(true);
}

void CMFCEditBrowseCtrl::EnableBrowseButton(BOOL enable, const char* label)
{
    m_mode = enable ? BrowseMode_Default : BrowseMode_None;
    showButton(enable);
    if (m_button && label)
        m_button->setToolTip(QString::fromUtf8(label));
}

void CMFCEditBrowseCtrl::showButton(bool show)
{
    auto* edit = qobject_cast<QLineEdit*>(widget());
    if (!edit)
        return;
    if (!m_button) {
        // The button lives inside the edit's frame, at its right end.
        m_button = new QAction(edit->style()->standardIcon(QStyle::SP_DirOpenIcon), "...", edit);
        m_button->setObjectName("browse");
        const HWND h = m_hWnd;
        QObject::connect(m_button, &QAction::triggered, edit, [this, h] {
            Guarded(h, WM_COMMAND, [this, h] {
                if (CWnd::FromHandle(h) == this)
                    OnBrowse();
            });
        });
        edit->addAction(m_button, QLineEdit::TrailingPosition);
    }
    m_button->setVisible(show);
}

void CMFCEditBrowseCtrl::OnBrowse()
{
    const std::string current = GetWindowText();
    CWnd* top = GetTopLevelParent();
    const HWND owner = top ? top->m_hWnd : m_hWnd;
    std::string chosen;
    if (m_mode == BrowseMode_Folder) {
        chosen = win::BrowseForFolder(owner, m_title, current);
    } else if (m_mode == BrowseMode_File) {
        win::FileDialogRequest r;
        r.owner = owner;
        r.open = true;
        r.filter = m_filter;
        r.defaultExt = m_defaultExt;
        if (!current.empty()) {
            const std::filesystem::path p(current);
            r.initialDir = p.parent_path().string();
            r.fileName = p.filename().string();
        }
        if (auto paths = win::RunFileDialog(r); paths && !paths->empty())
            chosen = paths->front();
    }
    if (chosen.empty())
        return;
    SetWindowText(chosen);
    SetFocus();
    OnAfterUpdate();
}
