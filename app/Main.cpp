// Mirtal: the program's entry point. The data folder is the current directory.
#include "app/MirtalApp.h"
#include "platform/win/MessageBox.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mirtal");
    QApplication::setOrganizationName("Mirtal");
    CMirtalApp theApp;
    theApp.InitInstance();
    return theApp.GetMainResult() == IDABORT ? 1 : 0;
}
