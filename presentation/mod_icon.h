#pragma once

#include <QString>

// The program's own icon on its windows.
namespace ModIcon {

// The folder of the program's executable with one trailing "/" (the root
// already ends in one), ready for a file name to be appended.
QString AppFolder(const QString& executablePath);

// Gives a window the program's icon as its big icon (task switcher, dock) at
// size × size pixels; the small title-bar icon stays as it is. Both the main
// window and the open-URL dialog have setBigIcon(int).
template <class Form>
void SetFormIcon(Form& form, int size)
{
  form.setBigIcon(size);
}

} // namespace ModIcon
