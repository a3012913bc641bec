#pragma once
// The row records the program's lists keep their rows in, so that a list can
// be sorted, filtered, saved and rebuilt without reading its control.
#include <string>

// A list row of ten texts, filled in the column order of the list that shows it.
class CMemArray {
public:
    void SetAll(const std::string& c0, const std::string& c1, const std::string& c2, const std::string& c3,
                const std::string& c4, const std::string& c5, const std::string& c6, const std::string& c7,
                const std::string& c8, const std::string& c9);
    // Column 0..9; the empty text for any other index.
    std::string GetCol(int i) const;
    // Column 0..9; any other index is ignored.
    void SetCol(int i, const std::string& text);
    void SetCol(int i, std::string&& text);
    // Column 0..9 without a copy (sorting compares many); the empty text for any other index.
    const std::string& Col(int i) const;

    std::string GetCol0() const { return m_col[0]; }
    std::string GetCol1() const { return m_col[1]; }
    std::string GetCol2() const { return m_col[2]; }
    std::string GetCol3() const { return m_col[3]; }
    std::string GetCol4() const { return m_col[4]; }
    std::string GetCol5() const { return m_col[5]; }
    std::string GetCol6() const { return m_col[6]; }

private:
    std::string m_col[10];
};

// A row of twenty-five texts: a row of table music as the music manager and the
// database check show it (0 title, 1 path, 2 speed, ... 19 a message).
class CMemArrayLarge {
public:
    void SetAll(const std::string (&cols)[25]);
    // Column 0..24; the empty text for any other index.
    std::string GetCol(int i) const;
    void SetCol(int i, const std::string& text);
    // Column 0..24 without a copy; the empty text for any other index.
    const std::string& Col(int i) const;

    std::string GetCol0() const { return m_col[0]; }
    std::string GetCol1() const { return m_col[1]; }
    std::string GetCol2() const { return m_col[2]; }
    std::string GetCol3() const { return m_col[3]; }
    std::string GetCol4() const { return m_col[4]; }
    std::string GetCol5() const { return m_col[5]; }
    std::string GetCol6() const { return m_col[6]; }
    std::string GetCol7() const { return m_col[7]; }
    std::string GetCol8() const { return m_col[8]; }
    std::string GetCol9() const { return m_col[9]; }
    std::string GetCol10() const { return m_col[10]; }
    std::string GetCol11() const { return m_col[11]; }
    std::string GetCol12() const { return m_col[12]; }
    std::string GetCol13() const { return m_col[13]; }
    std::string GetCol14() const { return m_col[14]; }
    std::string GetCol15() const { return m_col[15]; }
    std::string GetCol16() const { return m_col[16]; }
    std::string GetCol17() const { return m_col[17]; }
    std::string GetCol18() const { return m_col[18]; }
    std::string GetCol19() const { return m_col[19]; }
    std::string GetCol20() const { return m_col[20]; }

private:
    std::string m_col[25];
};

// One entry of a choreography viewer's file list.
class CFileList {
public:
    void SetAll(int nr, const std::string& entry, const std::string& shown);
    void SetShown(const std::string& shown) { m_shown = shown; }

    int GetNr() const { return m_nr; }
    std::string GetCol1() const { return m_entry; } // the file path, list line or choreography reference
    std::string GetCol2() const { return m_shown; } // "1" once shown, "0" after a reset

private:
    int m_nr = 0;
    std::string m_entry;
    std::string m_shown;
};

// A queue or remembered-list entry, laid out like a row of table queuedfiles.
class MemoryList2 {
public:
    void SetAll(const std::string& name, const std::string& path, const std::string& type,
                const std::string& lyrics, int list, int row, int naming, int nr);

    std::string GetCol0() const { return m_name; }
    std::string GetCol1() const { return m_path; }
    std::string GetCol2() const { return m_type; }
    std::string GetCol3() const { return m_lyrics; }
    int GetList() const { return m_list; }
    int GetRow() const { return m_row; }
    int GetNaming() const { return m_naming; }
    int GetNr() const { return m_nr; }

private:
    std::string m_name;
    std::string m_path;
    std::string m_type;
    std::string m_lyrics;
    int m_list = 0;
    int m_row = 0;
    int m_naming = 0;
    int m_nr = 0;
};

// A row being dragged in a list: the list control's item (it keeps owning it) and its text.
struct lvItem {
    void* item = nullptr;
    std::string text;
};
