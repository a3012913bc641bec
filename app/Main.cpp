// Mirtal: the program's entry point. The data folder is the current directory.
#include "app/MirtalApp.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WidgetAccess.h"

int main(int argc, char** argv)
{
    win::Application app(argc, argv, "Mirtal");
    CMirtalApp theApp;
    theApp.InitInstance();
    return theApp.GetMainResult() == IDABORT ? 1 : 0;
}
