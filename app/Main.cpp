// Quarvel.exe's entry point: the application object does the rest.
#include "QuarvelApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow) {
    // The application object lives in the app library; naming it here also links it in.
    if (AfxGetApp() != &theApp)
        return 1;
    return AfxWinMain(instance, cmdLine, cmdShow);
}
