#pragma once
// Return and Enter work the focused button, as Space does, in windows that
// have no default button: there a button that is not a dialog's default
// would otherwise ignore them.
class QAbstractButton;

void click_on_return(QAbstractButton* button);
