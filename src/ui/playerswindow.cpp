// The player list window's behaviour.
#include "forms.h"

namespace tw {

void TForm3::FillPlayerList() {}
void TForm3::CheckListBox1Click() {}
void TForm3::Button2Click() {}

} // namespace tw
