#include "platform/win/Resources.h"

#include "platform/win/ListCtrl.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinDefs.h"

#include <QDir>
#include <QFile>
#include <cctype>
#include <unordered_map>

namespace win {
namespace {

const std::unordered_map<std::string, DWORD>& styleNames()
{
    static const std::unordered_map<std::string, DWORD> names = {
        {"WS_OVERLAPPED", WS_OVERLAPPED}, {"WS_TABSTOP", WS_TABSTOP}, {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
        {"WS_GROUP", WS_GROUP}, {"WS_MINIMIZEBOX", WS_MINIMIZEBOX}, {"WS_THICKFRAME", WS_THICKFRAME},
        {"WS_SYSMENU", WS_SYSMENU}, {"WS_HSCROLL", WS_HSCROLL}, {"WS_VSCROLL", WS_VSCROLL},
        {"WS_DLGFRAME", WS_DLGFRAME}, {"WS_BORDER", WS_BORDER}, {"WS_CAPTION", WS_CAPTION},
        {"WS_MAXIMIZE", WS_MAXIMIZE}, {"WS_CLIPCHILDREN", WS_CLIPCHILDREN},
        {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS}, {"WS_DISABLED", WS_DISABLED}, {"WS_VISIBLE", WS_VISIBLE},
        {"WS_MINIMIZE", WS_MINIMIZE}, {"WS_CHILD", WS_CHILD}, {"WS_POPUP", WS_POPUP},
        {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW},
        {"WS_EX_DLGMODALFRAME", WS_EX_DLGMODALFRAME}, {"WS_EX_TOPMOST", WS_EX_TOPMOST},
        {"WS_EX_ACCEPTFILES", WS_EX_ACCEPTFILES}, {"WS_EX_TRANSPARENT", WS_EX_TRANSPARENT},
        {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW}, {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
        {"WS_EX_STATICEDGE", WS_EX_STATICEDGE}, {"WS_EX_APPWINDOW", WS_EX_APPWINDOW},
        {"DS_SETFONT", DS_SETFONT}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_SETFOREGROUND", DS_SETFOREGROUND},
        {"DS_3DLOOK", DS_3DLOOK}, {"DS_FIXEDSYS", DS_FIXEDSYS}, {"DS_CONTROL", DS_CONTROL},
        {"DS_CENTER", DS_CENTER}, {"DS_SHELLFONT", DS_SHELLFONT},
        {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT}, {"SS_ICON", SS_ICON},
        {"SS_BLACKRECT", SS_BLACKRECT}, {"SS_GRAYRECT", SS_GRAYRECT}, {"SS_WHITERECT", SS_WHITERECT},
        {"SS_BLACKFRAME", SS_BLACKFRAME}, {"SS_GRAYFRAME", SS_GRAYFRAME}, {"SS_WHITEFRAME", SS_WHITEFRAME},
        {"SS_SIMPLE", SS_SIMPLE}, {"SS_LEFTNOWORDWRAP", SS_LEFTNOWORDWRAP}, {"SS_OWNERDRAW", SS_OWNERDRAW},
        {"SS_BITMAP", SS_BITMAP}, {"SS_ETCHEDFRAME", SS_ETCHEDFRAME}, {"SS_NOPREFIX", SS_NOPREFIX},
        {"SS_NOTIFY", SS_NOTIFY}, {"SS_CENTERIMAGE", SS_CENTERIMAGE}, {"SS_SUNKEN", SS_SUNKEN},
        {"ES_LEFT", ES_LEFT}, {"ES_CENTER", ES_CENTER}, {"ES_RIGHT", ES_RIGHT}, {"ES_MULTILINE", ES_MULTILINE},
        {"ES_UPPERCASE", ES_UPPERCASE}, {"ES_LOWERCASE", ES_LOWERCASE}, {"ES_PASSWORD", ES_PASSWORD},
        {"ES_AUTOVSCROLL", ES_AUTOVSCROLL}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL}, {"ES_NOHIDESEL", ES_NOHIDESEL},
        {"ES_READONLY", ES_READONLY}, {"ES_WANTRETURN", ES_WANTRETURN}, {"ES_NUMBER", ES_NUMBER},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON}, {"BS_CHECKBOX", BS_CHECKBOX},
        {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX}, {"BS_RADIOBUTTON", BS_RADIOBUTTON}, {"BS_3STATE", BS_3STATE},
        {"BS_AUTO3STATE", BS_AUTO3STATE}, {"BS_GROUPBOX", BS_GROUPBOX},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON}, {"BS_OWNERDRAW", BS_OWNERDRAW},
        {"BS_LEFTTEXT", BS_LEFTTEXT}, {"BS_BITMAP", BS_BITMAP}, {"BS_PUSHLIKE", BS_PUSHLIKE},
        {"BS_MULTILINE", BS_MULTILINE}, {"BS_NOTIFY", BS_NOTIFY},
        {"CBS_SIMPLE", CBS_SIMPLE}, {"CBS_DROPDOWN", CBS_DROPDOWN}, {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
        {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL}, {"CBS_SORT", CBS_SORT}, {"CBS_HASSTRINGS", CBS_HASSTRINGS},
        {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
        {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL},
        {"LVS_REPORT", LVS_REPORT}, {"LVS_SINGLESEL", LVS_SINGLESEL}, {"LVS_SHOWSELALWAYS", LVS_SHOWSELALWAYS},
        {"LVS_OWNERDATA", LVS_OWNERDATA}, {"LVS_ALIGNLEFT", LVS_ALIGNLEFT}, {"LVS_NOSORTHEADER", LVS_NOSORTHEADER},
        {"LVS_NOCOLUMNHEADER", LVS_NOCOLUMNHEADER}, {"LVS_EDITLABELS", LVS_EDITLABELS},
        {"TBS_HORZ", TBS_HORZ}, {"TBS_VERT", TBS_VERT}, {"TBS_NOTICKS", TBS_NOTICKS}, {"TBS_BOTH", TBS_BOTH},
        {"UDS_SETBUDDYINT", UDS_SETBUDDYINT}, {"UDS_ALIGNRIGHT", UDS_ALIGNRIGHT},
        {"UDS_ARROWKEYS", UDS_ARROWKEYS}, {"UDS_WRAP", UDS_WRAP}, {"UDS_ALIGNLEFT", UDS_ALIGNLEFT},
        {"UDS_AUTOBUDDY", UDS_AUTOBUDDY}, {"UDS_HORZ", UDS_HORZ}, {"UDS_NOTHOUSANDS", UDS_NOTHOUSANDS},
        {"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}, {"IDYES", IDYES}, {"IDNO", IDNO},
        {"IDC_STATIC", DWORD(IDC_STATIC)},
    };
    return names;
}

struct Token {
    enum Kind { End, Ident, Number, String, Comma, Bar, Open, Close } kind = End;
    std::string text;
    long long number = 0;
    int line = 0;
};

class Lexer {
public:
    Lexer(const std::string& s, std::string name) : m_s(s), m_name(std::move(name)) {}

    Token next()
    {
        skipSpace();
        Token t;
        t.line = m_line;
        if (m_pos >= m_s.size())
            return t;
        const char c = m_s[m_pos];
        if (c == ',') {
            ++m_pos;
            t.kind = Token::Comma;
        } else if (c == '|') {
            ++m_pos;
            t.kind = Token::Bar;
        } else if (c == '{') {
            ++m_pos;
            t.kind = Token::Open;
        } else if (c == '}') {
            ++m_pos;
            t.kind = Token::Close;
        } else if (c == '"') {
            t.kind = Token::String;
            t.text = readString();
        } else if (std::isdigit((unsigned char)c) || (c == '-' && m_pos + 1 < m_s.size() && std::isdigit((unsigned char)m_s[m_pos + 1]))) {
            t.kind = Token::Number;
            const size_t start = m_pos;
            ++m_pos;
            while (m_pos < m_s.size() && std::isalnum((unsigned char)m_s[m_pos]))
                ++m_pos;
            const std::string digits = m_s.substr(start, m_pos - start);
            try {
                size_t used = 0;
                t.number = std::stoll(digits, &used, 0);
                if (used != digits.size() && !(used + 1 == digits.size() && (digits.back() == 'L' || digits.back() == 'l')))
                    fail("bad number " + digits);
            } catch (const std::logic_error&) {
                fail("bad number " + digits);
            }
        } else if (std::isalpha((unsigned char)c) || c == '_') {
            t.kind = Token::Ident;
            const size_t start = m_pos;
            while (m_pos < m_s.size() && (std::isalnum((unsigned char)m_s[m_pos]) || m_s[m_pos] == '_'))
                ++m_pos;
            t.text = m_s.substr(start, m_pos - start);
            if (t.text == "BEGIN")
                t.kind = Token::Open;
            else if (t.text == "END")
                t.kind = Token::Close;
        } else {
            fail(std::string("unexpected character '") + c + "'");
        }
        return t;
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        throw ResourceError(m_name + ":" + std::to_string(m_line) + ": " + what);
    }

private:
    void skipSpace()
    {
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (std::isspace((unsigned char)c)) {
                ++m_pos;
            } else if (c == '/' && m_pos + 1 < m_s.size() && m_s[m_pos + 1] == '/') {
                while (m_pos < m_s.size() && m_s[m_pos] != '\n')
                    ++m_pos;
            } else if (c == '#') {
                // Preprocessor lines (includes of the original tool chain) carry nothing here.
                while (m_pos < m_s.size() && m_s[m_pos] != '\n')
                    ++m_pos;
            } else {
                break;
            }
        }
    }

    std::string readString()
    {
        std::string out;
        ++m_pos; // opening quote
        while (true) {
            if (m_pos >= m_s.size() || m_s[m_pos] == '\n')
                fail("unterminated string");
            const char c = m_s[m_pos++];
            if (c == '"') {
                if (m_pos < m_s.size() && m_s[m_pos] == '"') {
                    out += '"';
                    ++m_pos;
                    continue;
                }
                return out;
            }
            if (c == '\\' && m_pos < m_s.size()) {
                const char e = m_s[m_pos++];
                switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                default: out += '\\'; out += e; break;
                }
                continue;
            }
            out += c;
        }
    }

    const std::string& m_s;
    std::string m_name;
    size_t m_pos = 0;
    int m_line = 1;
};

class Parser {
public:
    Parser(const std::string& text, const std::string& name) : m_lex(text, name) { advance(); }

    ResourceSet parse()
    {
        ResourceSet set;
        while (m_tok.kind != Token::End) {
            if (isIdent("STRINGTABLE")) {
                advance();
                skipOptions();
                parseStrings(set);
                continue;
            }
            const UINT id = UINT(expectNumber("a resource id"));
            if (isIdent("DIALOG") || isIdent("DIALOGEX")) {
                if (set.dialogs.count(id))
                    m_lex.fail("dialog " + std::to_string(id) + " is defined twice");
                advance();
                DialogTemplate d = parseDialog(id);
                set.dialogs[id] = std::move(d);
            } else if (isIdent("MENU") || isIdent("MENUEX")) {
                advance();
                skipOptions();
                set.menus[id] = parseMenuItems();
            } else if (isIdent("TOOLBAR")) {
                advance();
                skipOptions();
                ToolBarTemplate t;
                t.buttonWidth = int(expectNumber("a button width"));
                expect(Token::Comma, "','");
                t.buttonHeight = int(expectNumber("a button height"));
                expect(Token::Open, "BEGIN");
                while (!accept(Token::Close)) {
                    if (isIdent("SEPARATOR")) {
                        advance();
                        t.buttons.push_back(0);
                    } else if (isIdent("BUTTON")) {
                        advance();
                        t.buttons.push_back(UINT(expectNumber("a command id")));
                    } else {
                        m_lex.fail("expected BUTTON or SEPARATOR");
                    }
                }
                set.toolbars[id] = std::move(t);
            } else if (isIdent("ICON") || isIdent("CURSOR")) {
                advance();
                set.icons[id] = expectString("a file name");
            } else if (isIdent("BITMAP") || isIdent("PNG") || isIdent("WAVE")) {
                advance();
                set.images[id] = expectString("a file name");
            } else {
                m_lex.fail("unknown resource kind '" + m_tok.text + "'");
            }
        }
        return set;
    }

private:
    void advance() { m_tok = m_lex.next(); }
    bool isIdent(const char* s) const { return m_tok.kind == Token::Ident && m_tok.text == s; }
    bool accept(Token::Kind k)
    {
        if (m_tok.kind != k)
            return false;
        advance();
        return true;
    }
    void expect(Token::Kind k, const char* what)
    {
        if (!accept(k))
            m_lex.fail(std::string("expected ") + what);
    }
    // Memory options after a resource kind (DISCARDABLE, PRELOAD, ...).
    void skipOptions()
    {
        while (m_tok.kind == Token::Ident && (m_tok.text == "DISCARDABLE" || m_tok.text == "PRELOAD" ||
                                              m_tok.text == "MOVEABLE" || m_tok.text == "PURE" ||
                                              m_tok.text == "LOADONCALL" || m_tok.text == "IMPURE"))
            advance();
    }

    long long expectNumber(const char* what)
    {
        if (m_tok.kind == Token::Number) {
            const long long n = m_tok.number;
            advance();
            return n;
        }
        if (m_tok.kind == Token::Ident) {
            auto it = styleNames().find(m_tok.text);
            if (it != styleNames().end()) {
                const long long n = it->first == "IDC_STATIC" ? -1 : (long long)it->second;
                advance();
                return n;
            }
        }
        m_lex.fail(std::string("expected ") + what);
    }

    std::string expectString(const char* what)
    {
        if (m_tok.kind != Token::String)
            m_lex.fail(std::string("expected ") + what);
        std::string s = m_tok.text;
        advance();
        return s;
    }

    // A style: terms joined by "|"; "NOT X" clears bits of the default.
    DWORD parseStyle(DWORD value)
    {
        bool first = true;
        while (true) {
            bool negate = false;
            if (isIdent("NOT")) {
                negate = true;
                advance();
            }
            DWORD bits = 0;
            if (m_tok.kind == Token::Number) {
                bits = DWORD(m_tok.number);
            } else if (m_tok.kind == Token::Ident) {
                auto it = styleNames().find(m_tok.text);
                if (it == styleNames().end())
                    m_lex.fail("unknown style '" + m_tok.text + "'");
                bits = it->second;
            } else if (!first) {
                m_lex.fail("expected a style");
            } else {
                return value;
            }
            advance();
            value = negate ? (value & ~bits) : (value | bits);
            first = false;
            if (!accept(Token::Bar))
                return value;
        }
    }

    DialogTemplate parseDialog(UINT id)
    {
        DialogTemplate d;
        d.id = id;
        skipOptions();
        d.x = int(expectNumber("x"));
        expect(Token::Comma, "','");
        d.y = int(expectNumber("y"));
        expect(Token::Comma, "','");
        d.cx = int(expectNumber("width"));
        expect(Token::Comma, "','");
        d.cy = int(expectNumber("height"));
        if (accept(Token::Comma))
            expectNumber("help id");
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        while (m_tok.kind == Token::Ident) {
            const std::string kw = m_tok.text;
            advance();
            if (kw == "STYLE") {
                d.style = parseStyle(0);
            } else if (kw == "EXSTYLE") {
                d.exStyle = parseStyle(0);
            } else if (kw == "CAPTION") {
                d.caption = expectString("a caption");
                d.style |= WS_CAPTION;
            } else if (kw == "MENU") {
                d.menuId = UINT(expectNumber("a menu id"));
            } else if (kw == "FONT") {
                d.fontSize = int(expectNumber("a font size"));
                expect(Token::Comma, "','");
                d.fontName = expectString("a font name");
                while (accept(Token::Comma))
                    expectNumber("a font option");
            } else if (kw == "CLASS") {
                expectString("a class name");
            } else {
                m_lex.fail("unknown dialog statement '" + kw + "'");
            }
        }
        expect(Token::Open, "BEGIN");
        while (!accept(Token::Close)) {
            if (m_tok.kind != Token::Ident)
                m_lex.fail("expected a control statement");
            d.items.push_back(parseControl());
        }
        return d;
    }

    // The text of a control: a string, or a number naming an image resource.
    void parseControlText(DialogItemTemplate& item)
    {
        if (m_tok.kind == Token::String)
            item.text = expectString("a text");
        else
            item.imageId = UINT(expectNumber("a text or image id"));
        expect(Token::Comma, "','");
    }

    void parsePlace(DialogItemTemplate& item)
    {
        item.x = int(expectNumber("x"));
        expect(Token::Comma, "','");
        item.y = int(expectNumber("y"));
        expect(Token::Comma, "','");
        item.cx = int(expectNumber("width"));
        expect(Token::Comma, "','");
        item.cy = int(expectNumber("height"));
    }

    DialogItemTemplate parseControl()
    {
        const std::string kw = m_tok.text;
        advance();
        DialogItemTemplate item;
        const DWORD base = WS_CHILD | WS_VISIBLE;
        struct Kind {
            const char* className;
            DWORD style;
            bool hasText;
        };
        static const std::unordered_map<std::string, Kind> kinds = {
            {"LTEXT", {"Static", SS_LEFT | WS_GROUP, true}},
            {"RTEXT", {"Static", SS_RIGHT | WS_GROUP, true}},
            {"CTEXT", {"Static", SS_CENTER | WS_GROUP, true}},
            {"EDITTEXT", {"Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false}},
            {"PUSHBUTTON", {"Button", BS_PUSHBUTTON | WS_TABSTOP, true}},
            {"DEFPUSHBUTTON", {"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true}},
            {"CHECKBOX", {"Button", BS_CHECKBOX | WS_TABSTOP, true}},
            {"AUTOCHECKBOX", {"Button", BS_AUTOCHECKBOX | WS_TABSTOP, true}},
            {"RADIOBUTTON", {"Button", BS_RADIOBUTTON, true}},
            {"AUTORADIOBUTTON", {"Button", BS_AUTORADIOBUTTON, true}},
            {"GROUPBOX", {"Button", BS_GROUPBOX, true}},
            {"COMBOBOX", {"ComboBox", CBS_SIMPLE | WS_TABSTOP, false}},
            {"LISTBOX", {"ListBox", LBS_NOTIFY | WS_BORDER, false}},
            {"SCROLLBAR", {"ScrollBar", 0, false}},
        };
        if (kw == "CONTROL") {
            parseControlText(item);
            item.id = int(expectNumber("a control id"));
            expect(Token::Comma, "','");
            item.className = expectString("a class name");
            expect(Token::Comma, "','");
            item.style = parseStyle(base);
            expect(Token::Comma, "','");
            parsePlace(item);
            if (accept(Token::Comma))
                item.exStyle = parseStyle(0);
            return item;
        }
        if (kw == "ICON") {
            parseControlText(item);
            item.className = "Static";
            item.id = int(expectNumber("a control id"));
            expect(Token::Comma, "','");
            item.x = int(expectNumber("x"));
            expect(Token::Comma, "','");
            item.y = int(expectNumber("y"));
            item.style = base | SS_ICON;
            if (accept(Token::Comma)) {
                item.cx = int(expectNumber("width"));
                expect(Token::Comma, "','");
                item.cy = int(expectNumber("height"));
                if (accept(Token::Comma))
                    item.style = parseStyle(item.style);
            }
            return item;
        }
        auto it = kinds.find(kw);
        if (it == kinds.end())
            m_lex.fail("unknown control statement '" + kw + "'");
        if (it->second.hasText)
            parseControlText(item);
        item.className = it->second.className;
        item.id = int(expectNumber("a control id"));
        expect(Token::Comma, "','");
        parsePlace(item);
        item.style = base | it->second.style;
        if (accept(Token::Comma)) {
            // A combo box's kind given in the statement replaces the default kind, as rc does.
            const bool combo = item.className == "ComboBox";
            item.style = parseStyle(combo ? item.style & ~DWORD(CBS_DROPDOWNLIST) : item.style);
            if (combo && !(item.style & CBS_DROPDOWNLIST))
                item.style |= CBS_SIMPLE;
            if (accept(Token::Comma))
                item.exStyle = parseStyle(0);
        }
        return item;
    }

    std::vector<MenuTemplateItem> parseMenuItems()
    {
        std::vector<MenuTemplateItem> items;
        expect(Token::Open, "BEGIN");
        while (!accept(Token::Close)) {
            MenuTemplateItem item;
            if (isIdent("POPUP")) {
                advance();
                item.popup = true;
                item.text = expectString("a pop-up text");
                parseMenuOptions(item);
                item.children = parseMenuItems();
            } else if (isIdent("MENUITEM")) {
                advance();
                if (isIdent("SEPARATOR")) {
                    advance();
                    item.separator = true;
                } else {
                    item.text = expectString("a menu text");
                    expect(Token::Comma, "','");
                    item.id = UINT(expectNumber("a command id"));
                    parseMenuOptions(item);
                }
            } else {
                m_lex.fail("expected POPUP or MENUITEM");
            }
            items.push_back(std::move(item));
        }
        return items;
    }

    void parseMenuOptions(MenuTemplateItem& item)
    {
        while (accept(Token::Comma) || m_tok.kind == Token::Ident) {
            if (m_tok.kind != Token::Ident)
                m_lex.fail("expected a menu option");
            const std::string opt = m_tok.text;
            if (opt == "POPUP" || opt == "MENUITEM")
                return;
            advance();
            if (opt == "CHECKED")
                item.checked = true;
            else if (opt == "GRAYED" || opt == "INACTIVE")
                item.grayed = true;
            else if (opt != "HELP" && opt != "MENUBARBREAK" && opt != "MENUBREAK")
                m_lex.fail("unknown menu option '" + opt + "'");
        }
    }

    void parseStrings(ResourceSet& set)
    {
        expect(Token::Open, "BEGIN");
        while (!accept(Token::Close)) {
            const UINT id = UINT(expectNumber("a string id"));
            accept(Token::Comma);
            set.strings[id] = expectString("a string");
        }
    }

    Lexer m_lex;
    Token m_tok;
};

ResourceSet& programResources()
{
    static ResourceSet set = [] {
        ResourceSet all;
        QDir dir(":/res");
        const QStringList scripts = dir.entryList({"*.rc"}, QDir::Files, QDir::Name);
        for (const QString& name : scripts) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly))
                throw ResourceError("cannot read resource script " + name.toStdString());
            ResourceSet part = ParseResourceScript(f.readAll().toStdString(), name.toStdString());
            all.dialogs.merge(part.dialogs);
            if (!part.dialogs.empty()) // the ones merge left behind: their ids were taken
                throw ResourceError("dialog " + std::to_string(part.dialogs.begin()->first) + " of " +
                                    name.toStdString() + " is defined in another script too");
            all.menus.merge(part.menus);
            all.strings.merge(part.strings);
            all.images.merge(part.images);
            all.icons.merge(part.icons);
            all.toolbars.merge(part.toolbars);
        }
        return all;
    }();
    return set;
}

} // namespace

ResourceSet ParseResourceScript(const std::string& text, const std::string& name)
{
    return Parser(text, name).parse();
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    auto& d = programResources().dialogs;
    auto it = d.find(id);
    return it == d.end() ? nullptr : &it->second;
}

const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id)
{
    auto& m = programResources().menus;
    auto it = m.find(id);
    return it == m.end() ? nullptr : &it->second;
}

const ToolBarTemplate* FindToolBarTemplate(UINT id)
{
    auto& t = programResources().toolbars;
    auto it = t.find(id);
    return it == t.end() ? nullptr : &it->second;
}

std::optional<std::string> FindString(UINT id)
{
    auto& s = programResources().strings;
    auto it = s.find(id);
    if (it == s.end())
        return std::nullopt;
    return it->second;
}

std::string FindImagePath(UINT id)
{
    auto& i = programResources().images;
    auto it = i.find(id);
    return it == i.end() ? std::string() : ":/res/" + it->second;
}

std::string FindIconPath(UINT id)
{
    auto& i = programResources().icons;
    auto it = i.find(id);
    return it == i.end() ? FindImagePath(id) : ":/res/" + it->second;
}

std::string LoadResourceData(UINT id)
{
    const std::string path = FindImagePath(id);
    if (path.empty())
        return {};
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void AddResourceScript(const std::string& text)
{
    ResourceSet part = ParseResourceScript(text);
    ResourceSet& all = programResources();
    for (auto& [id, d] : part.dialogs)
        if (all.dialogs.count(id))
            throw ResourceError("dialog " + std::to_string(id) + " is defined twice");
    for (auto& [id, d] : part.dialogs)
        all.dialogs[id] = std::move(d);
    for (auto& [id, m] : part.menus)
        all.menus[id] = std::move(m);
    for (auto& [id, s] : part.strings)
        all.strings[id] = std::move(s);
    for (auto& [id, i] : part.images)
        all.images[id] = std::move(i);
    for (auto& [id, i] : part.icons)
        all.icons[id] = std::move(i);
    for (auto& [id, t] : part.toolbars)
        all.toolbars[id] = std::move(t);
}

} // namespace win

std::string LoadResourceString(UINT id) { return win::FindString(id).value_or(std::string()); }
