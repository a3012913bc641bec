#include "texts/HtmlEditCtrl2.h"

#include "platform/win/Clipboard.h"
#include "platform/win/UnicodeText.h"

#include <cstdio>
#include <cstring>

namespace {

struct EditCommand {
    long id;
    const char* name; // the page's name for it
};

constexpr EditCommand kCommands[] = {
    {IDM_COPY, "copy"},         {IDM_CUT, "cut"},       {IDM_DELETE, "delete"},
    {IDM_PASTE, "paste"},       {IDM_REDO, "redo"},     {IDM_UNDO, "undo"},
    {IDM_BOLD, "bold"},         {IDM_ITALIC, "italic"}, {IDM_UNDERLINE, "underline"},
    {IDM_LINEBREAKNORMAL, "insertLineBreak"},
};

const char* commandName(long id)
{
    for (const auto& c : kCommands)
        if (c.id == id)
            return c.name;
    return nullptr;
}

constexpr DWORD kEnabled = OLECMDF_SUPPORTED | OLECMDF_ENABLED;

// Bytes that are UTF-16 (little-endian) text: a byte-order mark, or an even
// count where most high bytes are zero, as plain Latin text in UTF-16 is.
bool looksLikeUtf16(const unsigned char* b, size_t n, bool& bom)
{
    bom = n >= 2 && b[0] == 0xFF && b[1] == 0xFE;
    if (n < 2 || n % 2)
        return false;
    if (bom)
        return true;
    size_t zeroHigh = 0, zeroLow = 0;
    for (size_t i = 0; i + 1 < n; i += 2) {
        zeroLow += b[i] == 0;
        zeroHigh += b[i + 1] == 0;
    }
    const size_t units = n / 2;
    return zeroHigh * 10 >= units * 7 && zeroLow * 10 < units * 3;
}

} // namespace

HRESULT CHtmlEditCtrl2::CStreamOnCString::Read(void* buffer, ULONG count, ULONG* read)
{
    if (read)
        *read = 0;
    if (m_readCopy.empty())
        m_readCopy = m_data;
    if (!buffer)
        return E_POINTER;
    if (size_t(m_readPos) >= m_readCopy.size())
        return S_FALSE;
    const size_t amount = std::min(m_readCopy.size() - size_t(m_readPos), size_t(count));
    if (amount == 0) {
        // A read of nothing starts the next read at the beginning again.
        m_readPos = 0;
        m_readCopy.clear();
        return S_FALSE;
    }
    std::memcpy(buffer, m_readCopy.data() + m_readPos, amount);
    m_readPos += int(amount);
    if (read)
        *read = ULONG(amount);
    return S_OK;
}

HRESULT CHtmlEditCtrl2::CStreamOnCString::Write(const void* bytes, ULONG count, ULONG* written)
{
    if (written)
        *written = 0;
    if (!bytes)
        return E_POINTER;
    const auto* b = static_cast<const unsigned char*>(bytes);
    bool bom = false;
    if (looksLikeUtf16(b, count, bom)) {
        // UTF-16 becomes the program's UTF-8; the byte-order mark is dropped.
        std::string text;
        size_t i = bom ? 2 : 0;
        for (; i + 1 < count; i += 2) {
            char32_t u = char32_t(b[i] | (b[i + 1] << 8));
            if (u >= 0xD800 && u <= 0xDBFF && i + 3 < count) {
                const char32_t lo = char32_t(b[i + 2] | (b[i + 3] << 8));
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                    i += 2;
                }
            }
            if (u >= 0xD800 && u <= 0xDFFF)
                u = 0xFFFD;
            if (u == 0)
                break;
            win::AppendUtf8(text, u);
        }
        AppendBytes(text.data(), text.size());
    } else {
        AppendBytes(reinterpret_cast<const char*>(b), count);
    }
    if (written)
        *written = count;
    return S_OK;
}

void CHtmlEditCtrl2::CStreamOnCString::AppendBytes(const char* bytes, size_t count)
{
    const void* zero = std::memchr(bytes, 0, count);
    m_data.append(bytes, zero ? size_t(static_cast<const char*>(zero) - bytes) : count);
}

bool CHtmlEditCtrl2::CStreamOnCString::CopyData(std::string& out) const
{
    out = m_data;
    return true;
}

CHtmlEditCtrl2::~CHtmlEditCtrl2() = default;

bool CHtmlEditCtrl2::EnsureDocument()
{
    m_lastResult = E_FAIL;
    // Taken anew whenever another document is shown, never kept from before.
    const int shown = DocumentId();
    if (shown == 0) {
        m_document = 0;
        return false;
    }
    m_document = shown;
    m_lastResult = S_OK;
    return true;
}

HRESULT CHtmlEditCtrl2::SetDocumentHtml(const std::string& html)
{
    if (!EnsureDocument())
        return E_FAIL;
    CStreamOnCString stream(html);
    std::string text;
    char buf[4096];
    ULONG got = 0;
    while (stream.Read(buf, sizeof buf, &got) == S_OK)
        text.append(buf, got);
    m_lastResult = LoadDocumentHtml(text) ? S_OK : E_FAIL;
    return m_lastResult;
}

HRESULT CHtmlEditCtrl2::GetDocumentHtml(std::string& text, bool)
{
    // Without a document the caller gets an empty text and a failure, so it
    // can never take "nothing" for the document and save it.
    text.clear();
    if (!EnsureDocument())
        return E_FAIL;
    std::string html;
    if (!ReadDocumentHtml(html)) {
        m_lastResult = E_FAIL;
        return m_lastResult;
    }
    CStreamOnCString stream;
    ULONG written = 0;
    m_lastResult = stream.Write(html.data(), ULONG(html.size()), &written);
    if (m_lastResult == S_OK)
        stream.CopyData(text);
    return m_lastResult;
}

bool CHtmlEditCtrl2::SetDesignMode(bool on)
{
    if (!EnsureDocument())
        return false;
    m_lastResult = SetDocumentDesignMode(on) ? S_OK : E_FAIL;
    return SUCCEEDED(m_lastResult);
}

HRESULT CHtmlEditCtrl2::ExecCommand(int group, long id, long)
{
    if (!EnsureDocument())
        return E_FAIL;
    const char* name = commandName(id);
    if (group != CGID_MSHTML || !name)
        return E_NOTIMPL;
    return ExecDocumentCommand(name) ? S_OK : E_FAIL;
}

HRESULT CHtmlEditCtrl2::ExecEditCommand(long id, long option)
{
    return ExecCommand(CGID_MSHTML, id, option);
}

DWORD CHtmlEditCtrl2::QueryCommandStatus(long id)
{
    if (!EnsureDocument())
        return 0;
    const char* name = commandName(id);
    return name ? DWORD(QueryDocumentCommand(name)) : 0;
}

HRESULT CHtmlEditCtrl2::ExecIfEnabled(long id, DWORD required, long option)
{
    if ((QueryCommandStatus(id) & required) != required)
        return E_FAIL;
    return ExecEditCommand(id, option);
}

HRESULT CHtmlEditCtrl2::Copy()
{
    const HRESULT hr = ExecIfEnabled(IDM_COPY, kEnabled, OLECMDEXECOPT_DODEFAULT);
    return FAILED(hr) ? CopySelectionAsHtml(false) : hr;
}

HRESULT CHtmlEditCtrl2::Cut()
{
    const HRESULT hr = ExecIfEnabled(IDM_CUT, kEnabled, OLECMDEXECOPT_DODEFAULT);
    return FAILED(hr) ? CopySelectionAsHtml(true) : hr;
}

HRESULT CHtmlEditCtrl2::Delete() { return ExecIfEnabled(IDM_DELETE, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Paste() { return ExecIfEnabled(IDM_PASTE, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Redo() { return ExecIfEnabled(IDM_REDO, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Undo() { return ExecIfEnabled(IDM_UNDO, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Bold() { return ExecIfEnabled(IDM_BOLD, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Italic() { return ExecIfEnabled(IDM_ITALIC, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::Underline() { return ExecIfEnabled(IDM_UNDERLINE, kEnabled, OLECMDEXECOPT_DODEFAULT); }
HRESULT CHtmlEditCtrl2::InsertLineBreak()
{
    return ExecIfEnabled(IDM_LINEBREAKNORMAL, kEnabled, OLECMDEXECOPT_DODEFAULT);
}

HRESULT CHtmlEditCtrl2::CopySelectionAsHtml(bool cut)
{
    if (!EnsureDocument())
        return E_FAIL;
    std::string html, text;
    GetSelection(html, text);
    if (html.empty() && text.empty())
        return E_FAIL; // nothing selected: the clipboard stays as it is
    if (cut)
        DeleteSelection();
    return CopyHtmlToClipboard(html, text);
}

std::string CHtmlEditCtrl2::BuildHtmlFormat(const std::string& html)
{
    std::string out = "Version:0.9\r\nStartHTML:00000000\r\nEndHTML:00000000\r\n"
                      "StartFragment:00000000\r\nEndFragment:00000000\r\n"
                      "<html><body>\r\n<!--StartFragment -->\r\n";
    out += html;
    out += "\r\n<!--EndFragment-->\r\n</body>\r\n</html>";
    auto fill = [&out](const char* name, size_t value) {
        const size_t at = out.find(name);
        if (at == std::string::npos)
            return;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08u", unsigned(value));
        out.replace(at + std::strlen(name), 8, digits, 8);
    };
    fill("StartHTML:", out.find("<html>"));
    fill("EndHTML:", out.size());
    fill("StartFragment:", out.find("<!--StartFrag"));
    fill("EndFragment:", out.find("<!--EndFrag"));
    return out;
}

HRESULT CHtmlEditCtrl2::CopyHtmlToClipboard(const std::string& html, const std::string& text)
{
    return win::SetClipboardHtml(BuildHtmlFormat(html), html, text) ? S_OK : E_FAIL;
}
