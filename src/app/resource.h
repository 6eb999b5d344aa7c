#pragma once

// The program icon: the window's, the idle tray's and the one Explorer shows.
#define IDI_PROGRAM 1
// The tray's icon while blocking: the program icon with a padlock.
#define IDI_LOCKED 2
