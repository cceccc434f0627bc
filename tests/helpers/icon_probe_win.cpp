// A program that only carries an icon, with a different picture for each size it holds
// (icon_probe.ico, made by make_icon_probe_icon.py): the icon tests show which picture the
// box takes for each item size. Started, it ends at once.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
