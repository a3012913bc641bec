// A plain Qt window: the baseline beside the program's start in the start-up
// benchmark. It says "first paint" on stderr when it has painted once.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), palette().window());
        if (!m_painted) {
            m_painted = true;
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window w;
    w.resize(1024, 730);
    w.show();
    return app.exec();
}
