#pragma once

// The program icon: the window's, the tray's and the one Explorer shows.
#define IDI_PROGRAM 1
