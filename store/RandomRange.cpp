#include "store/RandomRange.h"

#include "platform/win/MessageBox.h"

#include <ctime>
#include <random>

namespace {

std::mt19937& generator()
{
    static std::mt19937 g;
    return g;
}

bool& seeded()
{
    static bool s = false;
    return s;
}

} // namespace

CRandomRange::CRandomRange(int low, int high) { SetRange(low, high); }

void CRandomRange::SetRange(int low, int high)
{
    if (high < low) {
        AfxMessageBox("Error: HIGH value cannot be less than LOW value!\nUsing defaults: High = 1, Low = 0");
        m_low = 0;
        m_high = 1;
        return;
    }
    m_low = low;
    m_high = high;
}

void CRandomRange::Seed()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    const unsigned seed = static_cast<unsigned>(now) + static_cast<unsigned>(tm.tm_mday) +
                          static_cast<unsigned>(tm.tm_mon + 1) + static_cast<unsigned>(tm.tm_year + 1900);
    std::random_device rd;
    // The clock alone repeats within a second; the device adds what two draws in one second need.
    generator().seed(seed ^ rd());
    seeded() = true;
}

int CRandomRange::Next() const
{
    if (!seeded())
        Seed();
    std::uniform_int_distribution<long long> draw(m_low, m_high);
    return static_cast<int>(draw(generator()));
}
