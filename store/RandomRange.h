#pragma once
// A range for one draw from the process-wide pseudo-random generator.
class CRandomRange {
public:
    CRandomRange(int low, int high);

    // high < low: tells the user and falls back to 0..1.
    void SetRange(int low, int high);
    // Seeds the process-wide generator from the clock. Draws seed it once by themselves.
    static void Seed();
    // A value from low to high, both included.
    int Next() const;

    int Low() const { return m_low; }
    int High() const { return m_high; }

private:
    int m_low = 0;
    int m_high = 1;
};
