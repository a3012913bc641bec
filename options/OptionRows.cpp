#include "options/OptionRows.h"

#include "platform/win/ChoiceDialogs.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <algorithm>
#include <cstring>

namespace options {
namespace {

const std::vector<std::string>& numberTable(const Row& row)
{
    return row.numbers.empty() ? row.options : row.numbers;
}

LOGFONT constructionFont(const Row& row, int dpi)
{
    LOGFONT lf;
    lf.lfCharSet = 0; // every field but height, weight and face is zero
    lf.lfHeight = win::FontHeightFromPoints(row.number, dpi);
    lf.lfWeight = 400;
    win::SetFaceName(lf, row.text);
    return lf;
}

std::string choiceText(const Row& row, CMusicDb& db, const std::string& key)
{
    switch (row.stored) {
    case Stored::Text: return row.table == Table::Style ? db.GetStyle(key, 0) : db.GetSetting(key, 0);
    case Stored::HtmlSize:
    case Stored::PointSize:
        return HtmlSizeText(row.table == Table::Style ? db.GetStyleInt(key, 0) : db.GetSettingInt(key, 0));
    case Stored::TrueFalse: return db.GetSetting(key, 0) == "true" ? "HTML" : "PDF";
    case Stored::Index: {
        const int n = row.table == Table::Style ? db.GetStyleInt(key, 0) : db.GetSettingInt(key, 0);
        const std::vector<std::string>& table = numberTable(row);
        if (table.empty())
            return std::string();
        return n >= 0 && size_t(n) < table.size() ? table[size_t(n)] : table.front();
    }
    }
    return std::string();
}

std::string choiceStored(const Row& row, const std::string& text)
{
    switch (row.stored) {
    case Stored::Text: return text;
    case Stored::HtmlSize: return std::to_string(HtmlSizeFromText(text, false));
    case Stored::PointSize: return std::to_string(HtmlSizeFromText(text, true));
    case Stored::TrueFalse: return text == "HTML" ? "true" : "false";
    case Stored::Index: {
        const std::vector<std::string>& table = numberTable(row);
        const auto it = std::find(table.begin(), table.end(), text);
        return std::to_string(it == table.end() ? 0 : int(it - table.begin()));
    }
    }
    return "0";
}

} // namespace

std::array<std::string, 3> Row::colourKeys() const
{
    if (!rgbKeys[0].empty())
        return rgbKeys;
    return {key + "R", key + "G", key + "B"};
}

std::array<std::string, 4> Row::fontKeys() const
{
    return {key + "fontsize", key + "fontbold", key + "fontitalic", key + "fontname"};
}

PresentKeys PresentKeys::Read(CMusicDb& db)
{
    PresentKeys p;
    for (std::string& n : db.GetRowNames("ini", 0))
        p.ini.insert(std::move(n));
    for (std::string& n : db.GetRowNames("stylesheet", 0))
        p.style.insert(std::move(n));
    return p;
}

bool PresentKeys::Has(Table table, const std::string& key) const
{
    return table == Table::Style ? style.count(key) > 0 : ini.count(key) > 0;
}

const std::vector<std::string>& HtmlSizeOptions()
{
    static const std::vector<std::string> sizes = {"1 (8pt)",  "2 (10pt)", "3 (12pt)", "4 (14pt)",
                                                   "5 (18pt)", "6 (24pt)", "7 (36pt)"};
    return sizes;
}

namespace {
constexpr int kPoints[7] = {8, 10, 12, 14, 18, 24, 36};
}

std::string HtmlSizeText(int number)
{
    for (int i = 0; i < 7; ++i)
        if (number == i + 1 || number == kPoints[i])
            return HtmlSizeOptions()[size_t(i)];
    return HtmlSizeOptions()[3];
}

int HtmlSizeFromText(const std::string& text, bool inPoints)
{
    const auto& sizes = HtmlSizeOptions();
    const auto it = std::find(sizes.begin(), sizes.end(), text);
    const int i = it == sizes.end() ? 0 : int(it - sizes.begin());
    return inPoints ? kPoints[i] : i + 1;
}

CMFCPropertyGridProperty* BuildRow(const Row& row, int dpi)
{
    CMFCPropertyGridProperty* p = nullptr;
    switch (row.kind) {
    case Kind::Text: p = new CMFCPropertyGridProperty(row.label, COleVariant(row.text), row.description); break;
    case Kind::Bool: p = new CMFCPropertyGridProperty(row.label, COleVariant(row.flag), row.description); break;
    case Kind::Number:
        p = new CMFCPropertyGridProperty(row.label, COleVariant(row.number), row.description);
        if (row.spin)
            p->EnableSpinControl(TRUE, row.min, row.max);
        break;
    case Kind::Choice:
        p = new CMFCPropertyGridProperty(row.label, COleVariant(row.text), row.description);
        for (const std::string& o : row.options)
            p->AddOption(o, TRUE);
        p->AllowEdit(FALSE);
        break;
    case Kind::Colour: {
        auto* c = new CMFCPropertyGridColorProperty(row.label, row.colour, nullptr, row.description);
        c->EnableOtherButton("Other...", FALSE, TRUE);
        if (row.automatic)
            c->EnableAutomaticButton("Default", row.colour, TRUE);
        p = c;
        break;
    }
    case Kind::Font:
        p = new CMFCPropertyGridFontProperty(row.label, constructionFont(row, dpi), CF_SCREENFONTS, row.description,
                                             0, COLORREF(-1));
        break;
    case Kind::File:
        p = new CMFCPropertyGridFileProperty(row.label, TRUE, row.text,
                                             row.defaultExt.empty() ? nullptr : row.defaultExt.c_str(), 0,
                                             row.filter.c_str(), row.description);
        break;
    case Kind::Folder:
        p = new CMFCPropertyGridFileProperty(row.label, row.text, 0, nullptr);
        p->SetDescription(row.description);
        break;
    }
    if (row.readOnly)
        p->Enable(FALSE);
    return p;
}

CMFCPropertyGridProperty* BuildGroup(const Group& group, int dpi,
                                     const std::function<void(CMFCPropertyGridProperty*)>& attach)
{
    auto* g = new CMFCPropertyGridProperty(group.caption);
    attach(g);
    for (const Row& row : group.rows)
        g->AddSubItem(BuildRow(row, dpi));
    for (const Group& sub : group.subgroups)
        BuildGroup(sub, dpi, [g](CMFCPropertyGridProperty* s) { g->AddSubItem(s); });
    return g;
}

void LoadRow(CMFCPropertyGridProperty* p, const Row& row, CMusicDb& db, const PresentKeys& present)
{
    if (!p || row.key.empty())
        return;
    const auto has = [&](const std::string& key) { return present.Has(row.table, key); };
    const auto getInt = [&](const std::string& key) {
        return row.table == Table::Style ? db.GetStyleInt(key, 0) : db.GetSettingInt(key, 0);
    };
    switch (row.kind) {
    case Kind::Text:
    case Kind::File:
    case Kind::Folder:
        if (has(row.key))
            p->SetValue(COleVariant(row.table == Table::Style ? db.GetStyle(row.key, 0) : db.GetSetting(row.key, 0)));
        break;
    case Kind::Bool:
        if (has(row.key))
            p->SetValue(COleVariant(db.GetSettingBool(row.key, 0)));
        break;
    case Kind::Number:
        if (has(row.key))
            p->SetValue(COleVariant(getInt(row.key)));
        break;
    case Kind::Choice:
        if (has(row.key))
            p->SetValue(COleVariant(choiceText(row, db, row.key)));
        break;
    case Kind::Colour: {
        auto* c = dynamic_cast<CMFCPropertyGridColorProperty*>(p);
        if (!c)
            break;
        const auto keys = row.colourKeys();
        const int construction[3] = {GetRValue(row.colour), GetGValue(row.colour), GetBValue(row.colour)};
        int channel[3];
        for (int i = 0; i < 3; ++i)
            channel[i] = has(keys[size_t(i)]) ? (getInt(keys[size_t(i)]) & 0xff) : construction[i];
        c->SetColor(RGB(channel[0], channel[1], channel[2]));
        break;
    }
    case Kind::Font: {
        auto* f = dynamic_cast<CMFCPropertyGridFontProperty*>(p);
        if (!f)
            break;
        const auto keys = row.fontKeys();
        LOGFONT* lf = f->GetLogFont();
        if (has(keys[0]))
            lf->lfHeight = getInt(keys[0]);
        if (has(keys[1]))
            lf->lfWeight = getInt(keys[1]);
        if (has(keys[2]))
            lf->lfItalic = BYTE(getInt(keys[2]) & 0xff);
        lf->lfUnderline = 0;
        lf->lfStrikeOut = 0;
        lf->lfWidth = 0;
        lf->lfEscapement = 0;
        if (has(keys[3]))
            win::SetFaceName(*lf, row.table == Table::Style ? db.GetStyle(keys[3], 0) : db.GetSetting(keys[3], 0));
        p->SetValue(COleVariant(std::string(lf->lfFaceName))); // redraws the row
        break;
    }
    }
}

std::vector<StoredValue> SaveRow(const CMFCPropertyGridProperty* p, const Row& row)
{
    std::vector<StoredValue> out;
    if (!p || row.key.empty())
        return out;
    const auto put = [&](const std::string& key, const std::string& value) { out.push_back({row.table, key, value}); };
    const COleVariant& v = p->GetValue();
    switch (row.kind) {
    case Kind::Text:
    case Kind::File:
    case Kind::Folder: put(row.key, v.Text()); break;
    case Kind::Bool: put(row.key, v.Bool() ? "true" : "false"); break;
    case Kind::Number: put(row.key, std::to_string(v.Int())); break;
    case Kind::Choice: put(row.key, choiceStored(row, v.Text())); break;
    case Kind::Colour:
        if (const auto* c = dynamic_cast<const CMFCPropertyGridColorProperty*>(p)) {
            const auto keys = row.colourKeys();
            const COLORREF color = c->GetColor();
            put(keys[0], std::to_string(GetRValue(color)));
            put(keys[1], std::to_string(GetGValue(color)));
            put(keys[2], std::to_string(GetBValue(color)));
        }
        break;
    case Kind::Font:
        if (const auto* f = dynamic_cast<const CMFCPropertyGridFontProperty*>(p)) {
            const auto keys = row.fontKeys();
            const LOGFONT* lf = f->GetLogFont();
            put(keys[0], std::to_string(lf->lfHeight));
            put(keys[1], std::to_string(lf->lfWeight));
            put(keys[2], std::to_string(int(lf->lfItalic)));
            put(keys[3], std::string(lf->lfFaceName, strnlen(lf->lfFaceName, sizeof lf->lfFaceName)));
        }
        break;
    }
    return out;
}

void ForEachRow(CMFCPropertyGridProperty* g, const Group& group,
                const std::function<void(CMFCPropertyGridProperty*, const Row&)>& visit)
{
    if (!g)
        return;
    int index = 0;
    for (const Row& row : group.rows)
        visit(g->GetSubItem(index++), row);
    for (const Group& sub : group.subgroups)
        ForEachRow(g->GetSubItem(index++), sub, visit);
}

void WriteValues(CMusicDb& db, const std::vector<StoredValue>& values)
{
    for (const StoredValue& v : values) {
        if (v.table == Table::Style)
            db.SetStyle(v.key, v.value, 0);
        else
            db.SetSetting(v.key, v.value, 0);
    }
}

std::vector<StoredValue> ConstructionValues(const Group& group, int dpi)
{
    std::vector<StoredValue> out;
    std::unique_ptr<CMFCPropertyGridProperty> g(
        BuildGroup(group, dpi, [](CMFCPropertyGridProperty*) {}));
    ForEachRow(g.get(), group, [&](CMFCPropertyGridProperty* p, const Row& row) {
        std::vector<StoredValue> v = SaveRow(p, row);
        out.insert(out.end(), v.begin(), v.end());
    });
    return out;
}

} // namespace options
