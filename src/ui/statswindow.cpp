// The statistics window's behaviour.
#include "forms.h"

#include <QKeyEvent>

namespace tw {

void TForm4::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape)
        accept();
}

} // namespace tw
