#pragma once

// The program's own icon on its windows.
namespace ModIcon {

// Gives a window the program's icon as its big icon (task switcher, dock) at
// size × size pixels; the small title-bar icon stays as it is. Both the main
// window and the open-URL dialog have setBigIcon(int).
template <class Form>
void SetFormIcon(Form& form, int size)
{
  form.setBigIcon(size);
}

} // namespace ModIcon
