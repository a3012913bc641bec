// Mirtal: the program's entry point. The data folder is the current directory.
#include "app/MirtalApp.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "platform/win/WidgetAccess.h"
#include "store/DatabaseBackup.h"

int main(int argc, char** argv)
{
    // The check of mirtal.db reads all of it: it runs while the window layer starts.
    store::BeginCheckAtStart(win::GetCurrentDirectory());
    win::Application app(argc, argv, "Mirtal");
    CMirtalApp theApp;
    theApp.InitInstance();
    return theApp.GetMainResult() == IDABORT ? 1 : 0;
}
