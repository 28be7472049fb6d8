#pragma once
// The program's own pictures, drawn in code so that they scale cleanly and
// need no image files: the player icon, the logo and the button pictures.
#include <QIcon>
#include <QPixmap>

enum class ButtonPicture { AddAll, AddSelected, Save, Cancel, ArrowUp, ArrowDown };

QPixmap player_icon_pixmap(int size);        // the note on a disc; 16 for the tray, 32 in windows
QIcon player_icon();                         // all sizes of the player icon
QPixmap logo_pixmap();                       // 135 x 106 product logo
QPixmap button_picture(ButtonPicture kind);  // 32 x 32, the arrows 16 x 16
