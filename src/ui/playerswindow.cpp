// The player list window's behaviour.
#include "feedback.h"
#include "forms.h"
#include "match/gamestate.h"
#include "match/session.h"
#include "records/players.h"

namespace tw {

namespace {

// An entry of the player list, which keeps alphabetical order: letter case
// counts only between names that are otherwise equal.
class NameItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;

    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = text().compare(other.text(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

void TForm3::FillPlayerList()
{
    CheckListBox1->clear();
    for (const QString &name : UsedPlayerNames(Game().ScoreData)) {
        auto *item = new NameItem(name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        CheckListBox1->addItem(item); // the list sorts its entries
    }
}

void TForm3::CheckListBox1Click()
{
    const int row = CheckListBox1->currentRow();
    if (row >= 0 && row < CheckListBox1->count())
        Edit1->setText(CheckListBox1->item(row)->text());
}

void TForm3::Button2Click()
{
    QStringList ticked;
    for (int row = 0; row < CheckListBox1->count(); ++row) {
        const QListWidgetItem *item = CheckListBox1->item(row);
        if (item->checkState() == Qt::Checked)
            ticked.append(item->text());
    }
    if (ticked.isEmpty())
        return;
    const BoxAnswer answer = UiFeedback().message(
        this, Lang("Do you want to remove selected users?", "Удалить выделенных пользователей?"),
        QStringLiteral(":-?"), BoxIcon::Exclamation, BoxButtons::OkCancel, BoxAnswer::Cancel);
    if (answer != BoxAnswer::Ok)
        return;
    RemovePlayers(Game().ScoreData, ticked);
    // Kept at once: a crash later in the run must not bring them back.
    SaveSession(Game());
    FillPlayerList();
}

} // namespace tw
