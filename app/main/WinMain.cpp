// Entry point of Kelvaron.exe: the one application object of the program,
// which the framework's start-up initialises and runs.
#include "app/KelvaronApp.h"

CKelvaronApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
