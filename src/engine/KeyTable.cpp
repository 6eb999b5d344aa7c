#include "engine/KeyTable.h"

namespace tallowmere {

// Captions, codes, places (twips inside the frame "Keyboard Settings") and
// pictures of the 104 key buttons, in index order.
const std::array<KeyDef, kKeyCount> kKeyTable = {{
    {"esc", "27", 330, 390, 345, 285, "", Picture::None},                   // 0 VK_ESCAPE
    {"F1", "112", 1140, 390, 345, 285, "", Picture::None},                  // 1 VK_F1
    {"F2", "113", 1560, 390, 345, 285, "", Picture::None},                  // 2 VK_F2
    {"F3", "114", 1950, 390, 345, 285, "", Picture::None},                  // 3 VK_F3
    {"F4", "115", 2370, 390, 345, 285, "", Picture::None},                  // 4 VK_F4
    {"F5", "116", 2970, 390, 345, 285, "", Picture::None},                  // 5 VK_F5
    {"F6", "117", 3390, 390, 345, 285, "", Picture::None},                  // 6 VK_F6
    {"F7", "118", 3810, 390, 345, 285, "", Picture::None},                  // 7 VK_F7
    {"F8", "119", 4200, 390, 345, 285, "", Picture::None},                  // 8 VK_F8
    {"F9", "120", 4830, 390, 345, 285, "", Picture::None},                  // 9 VK_F9
    {"F10", "121", 5250, 390, 345, 285, "", Picture::None},                 // 10 VK_F10
    {"F11", "122", 5640, 390, 345, 285, "", Picture::None},                 // 11 VK_F11
    {"F12", "123", 6060, 390, 345, 285, "", Picture::None},                 // 12 VK_F12
    {"psc", "44", 6480, 390, 345, 285, "", Picture::None},                  // 13 VK_SNAPSHOT
    {"slk", "145", 6900, 390, 345, 285, "", Picture::None},                 // 14 VK_SCROLL
    {"brk", "19", 7290, 390, 345, 285, "", Picture::None},                  // 15 VK_PAUSE
    {"`", "192", 330, 810, 345, 285, "", Picture::None},                    // 16 VK_OEM_3
    {"1", "49", 720, 810, 345, 285, "", Picture::None},                     // 17 digit 1
    {"2", "50", 1140, 810, 345, 285, "", Picture::None},                    // 18 digit 2
    {"3", "51", 1530, 810, 345, 285, "", Picture::None},                    // 19 digit 3
    {"4", "52", 1950, 810, 345, 285, "", Picture::None},                    // 20 digit 4
    {"5", "53", 2340, 810, 345, 285, "", Picture::None},                    // 21 digit 5
    {"6", "54", 2760, 810, 345, 285, "", Picture::None},                    // 22 digit 6
    {"7", "55", 3150, 810, 345, 285, "", Picture::None},                    // 23 digit 7
    {"8", "56", 3570, 810, 345, 285, "", Picture::None},                    // 24 digit 8
    {"9", "57", 3990, 810, 345, 285, "", Picture::None},                    // 25 digit 9
    {"0", "48", 4380, 810, 345, 285, "", Picture::None},                    // 26 digit 0
    {"-_", "189", 4770, 810, 345, 285, "", Picture::None},                  // 27 VK_OEM_MINUS
    {"=+", "187", 5190, 810, 345, 285, "", Picture::None},                  // 28 VK_OEM_PLUS
    {"q", "81", 960, 1140, 345, 285, "", Picture::None},                    // 29 letter Q
    {"w", "87", 1380, 1140, 345, 285, "", Picture::None},                   // 30 letter W
    {"e", "69", 1770, 1140, 345, 285, "", Picture::None},                   // 31 letter E
    {"r", "82", 2190, 1140, 345, 285, "", Picture::None},                   // 32 letter R
    {"t", "84", 2580, 1140, 345, 285, "", Picture::None},                   // 33 letter T
    {"y", "89", 3000, 1140, 345, 285, "", Picture::None},                   // 34 letter Y
    {"u", "85", 3390, 1140, 345, 285, "", Picture::None},                   // 35 letter U
    {"i", "73", 3810, 1140, 345, 285, "", Picture::None},                   // 36 letter I
    {"o", "79", 4230, 1140, 345, 285, "", Picture::None},                   // 37 letter O
    {"p", "80", 4620, 1140, 345, 285, "", Picture::None},                   // 38 letter P
    {"{[", "219", 5010, 1140, 345, 285, "", Picture::None},                 // 39 VK_OEM_4
    {"}]", "221", 5430, 1140, 345, 285, "", Picture::None},                 // 40 VK_OEM_6
    {"a", "65", 1140, 1500, 345, 285, "", Picture::None},                   // 41 letter A
    {"s", "83", 1560, 1500, 345, 285, "", Picture::None},                   // 42 letter S
    {"d", "68", 1950, 1500, 345, 285, "", Picture::None},                   // 43 letter D
    {"f", "70", 2370, 1500, 345, 285, "", Picture::None},                   // 44 letter F
    {"g", "71", 2760, 1500, 345, 285, "", Picture::None},                   // 45 letter G
    {"h", "72", 3180, 1500, 345, 285, "", Picture::None},                   // 46 letter H
    {"j", "74", 3570, 1500, 345, 285, "", Picture::None},                   // 47 letter J
    {"k", "75", 3990, 1500, 345, 285, "", Picture::None},                   // 48 letter K
    {"l", "76", 4410, 1500, 345, 285, "", Picture::None},                   // 49 letter L
    {":;", "186", 4800, 1500, 345, 285, "", Picture::None},                 // 50 VK_OEM_1
    {"\" \'", "222", 5190, 1500, 345, 285, "", Picture::None},              // 51 VK_OEM_7
    {"Enter", "13", 5610, 1500, 765, 285, "", Picture::None},               // 52 VK_RETURN
    {"z", "90", 1320, 1830, 345, 285, "", Picture::None},                   // 53 letter Z
    {"x", "88", 1740, 1830, 345, 285, "", Picture::None},                   // 54 letter X
    {"c", "67", 2130, 1830, 345, 285, "", Picture::None},                   // 55 letter C
    {"v", "86", 2550, 1830, 345, 285, "", Picture::None},                   // 56 letter V
    {"b", "66", 2940, 1830, 345, 285, "", Picture::None},                   // 57 letter B
    {"n", "78", 3360, 1830, 345, 285, "", Picture::None},                   // 58 letter N
    {"m", "77", 3750, 1830, 345, 285, "", Picture::None},                   // 59 letter M
    {"<,", "188", 4170, 1830, 345, 285, "", Picture::None},                 // 60 VK_OEM_COMMA
    {">.", "190", 4590, 1830, 345, 285, "", Picture::None},                 // 61 VK_OEM_PERIOD
    {"?/", "191", 4980, 1830, 345, 285, "", Picture::None},                 // 62 VK_OEM_2
    {"shift", "161", 5370, 1830, 1005, 285, "", Picture::None},             // 63 VK_RSHIFT
    {"bksp", "8", 5610, 810, 765, 285, "", Picture::None},                  // 64 VK_BACK
    {"| \\", "220", 5820, 1140, 555, 285, "", Picture::None},               // 65 VK_OEM_5
    {"tab", "9", 330, 1140, 555, 285, "", Picture::None},                   // 66 VK_TAB
    {"capslock", "20", 330, 1470, 735, 285, "", Picture::None},             // 67 VK_CAPITAL
    {"shift", "160", 330, 1800, 915, 285, "", Picture::None},               // 68 VK_LSHIFT
    {"ctrl", "162", 330, 2160, 555, 285, "", Picture::None},                // 69 VK_LCONTROL
    {"ctrl", "163", 5820, 2160, 555, 285, "", Picture::None},               // 70 VK_RCONTROL
    {"alt", "164", 1380, 2160, 555, 285, "", Picture::None},                // 71 VK_LMENU
    {"alt", "165", 4380, 2160, 555, 285, "", Picture::None},                // 72 VK_RMENU
    {"", "91", 930, 2130, 375, 345, "Windows Key", Picture::WindowsLogo},   // 73 VK_LWIN
    {"", "92", 4980, 2130, 375, 345, "Windows Key", Picture::WindowsLogo},  // 74 VK_RWIN
    {"", "93", 5400, 2130, 375, 345, "Expand Key", Picture::MenuSymbol},    // 75 VK_APPS
    {"pup", "33", 7320, 810, 345, 285, "", Picture::None},                  // 76 VK_PRIOR
    {"hm", "36", 6930, 810, 345, 285, "", Picture::None},                   // 77 VK_HOME
    {"ins", "45", 6510, 810, 345, 285, "", Picture::None},                  // 78 VK_INSERT
    {"pdn", "34", 7320, 1140, 345, 285, "", Picture::None},                 // 79 VK_NEXT
    {"end", "35", 6930, 1140, 345, 285, "", Picture::None},                 // 80 VK_END
    {"del", "46", 6510, 1140, 345, 285, "", Picture::None},                 // 81 VK_DELETE
    {"*", "106", 8580, 810, 345, 285, "", Picture::None},                   // 82 VK_MULTIPLY
    {"/", "111", 8190, 810, 345, 285, "", Picture::None},                   // 83 VK_DIVIDE
    {"nlk", "144", 7770, 810, 345, 285, "", Picture::None},                 // 84 VK_NUMLOCK
    {"-", "109", 8970, 810, 345, 285, "", Picture::None},                   // 85 VK_SUBTRACT
    {"9", "105", 8580, 1140, 345, 285, "", Picture::None},                  // 86 VK_NUMPAD9
    {"8", "104", 8190, 1140, 345, 285, "", Picture::None},                  // 87 VK_NUMPAD8
    {"7", "103", 7770, 1140, 345, 285, "", Picture::None},                  // 88 VK_NUMPAD7
    {"+", "107", 8970, 1140, 345, 615, "", Picture::None},                  // 89 VK_ADD
    {"6", "102", 8580, 1500, 345, 285, "", Picture::None},                  // 90 VK_NUMPAD6
    {"5", "101", 8190, 1500, 345, 285, "", Picture::None},                  // 91 VK_NUMPAD5
    {"4", "100", 7770, 1500, 345, 285, "", Picture::None},                  // 92 VK_NUMPAD4
    {"3", "99", 8580, 1830, 345, 285, "", Picture::None},                   // 93 VK_NUMPAD3
    {"2", "98", 8190, 1830, 345, 285, "", Picture::None},                   // 94 VK_NUMPAD2
    {"1", "97", 7770, 1830, 345, 285, "", Picture::None},                   // 95 VK_NUMPAD1
    {"ent", "13", 8970, 1830, 345, 615, "", Picture::None},                 // 96 VK_RETURN
    {".", "110", 8580, 2160, 345, 285, "", Picture::None},                  // 97 VK_DECIMAL
    {"0", "96", 7770, 2130, 735, 315, "", Picture::None},                   // 98 VK_NUMPAD0
    {"", "32", 2010, 2160, 2325, 285, "", Picture::None},                   // 99 VK_SPACE
    {"Up", "38", 6900, 1830, 345, 285, "", Picture::None},                  // 100 VK_UP
    {"Dwn", "40", 6870, 2160, 405, 285, "", Picture::None},                 // 101 VK_DOWN
    {"Left", "37", 6480, 2160, 345, 285, "", Picture::None},                // 102 VK_LEFT
    {"Rgt", "39", 7290, 2160, 345, 285, "", Picture::None},                 // 103 VK_RIGHT
}};

}  // namespace tallowmere
