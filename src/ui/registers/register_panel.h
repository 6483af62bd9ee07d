// What the interest and dividend panels share: the grid and its view, the
// code list, the five register buttons and the commands that work the same
// on both registers (Print, Delete all, and the saving and loading steps).
#pragma once

#include "core/files/recovery.h"
#include "core/files/register_csv.h"
#include "core/registers/grid_model.h"
#include "ui/registers/entry_widgets.h"

#include <QFrame>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

class FieldBox;
class GridView;
class PanelHost;
class Messages;
class QAction;
class QComboBox;
class QPushButton;

class RegisterPanel : public QFrame {
public:
    // What the panel asks of the main window; nothing without one.
    void Use_Host(PanelHost *host) { host_ = host; }

    // Shows the grid as it now stands.
    void Show_Grid();

    // A spreadsheet's rows in and out. Rows come in as 저장 saves them,
    // appended in file order, all or nothing: a row that fails leaves the
    // register as it was, and the information box names its line.
    RegisterKind Kind() const;
    const GridModel &Grid() const { return grid_; }
    // The register of an opened or new taxpayer file: the fields start
    // afresh, as after 새로작성, and no row stays loaded.
    void Replace_Grid(GridModel grid);
    bool Import_File(const QString &path);
    bool Import_Text(const std::string &text, char separator);
    // The register's data rows as a CSV file with a header; a failure is told.
    bool Export_File(const QString &path);
    // Ctrl+C in the grid: the selected data row, or every data row when none
    // or a sum row is selected, as tab-separated lines. Ctrl+V: such lines,
    // appended like an import.
    void Copy_Rows();
    void Paste_Rows();
    // False, with "인쇄할 내용이 없습니다.", when the register holds no row;
    // Print and PDF로 저장 ask it first.
    bool Printable();
    // What the entry fields hold that 저장 has not taken: text typed for a
    // new row, or a loaded row's fields changed so that 저장 would change it.
    std::optional<PendingEntry> Pending_Entry() const;
    // Puts such an entry back, over its row when that is still a data row.
    void Restore_Entry(const PendingEntry &entry);
    // 저장 for what the fields hold, when anything: false when that save
    // was refused (and told), so that the fields still hold it.
    bool Save_Pending_Entry();

    // The grid's context menu: 복사, 붙여넣기, 가져오기, 내보내기.
    std::array<QAction *, 4> gridActions{};

    struct Buttons {
        std::array<int, 5> lefts; // by index: Save, New, Delete item, Print, Delete all
        int top;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

    RegisterPanel(QWidget *parent, Messages &messages, const char *gridName, const Buttons &buttons,
                  const TwipsRect &gridPlace);

    // Tab goes from the last entry field through the buttons as they stand.
    void Tab_Order_After(QWidget *lastField);

    // The panel's own Init_ and Save, its entry fields in the order 저장
    // takes them, and its click on a grid row.
    virtual void Init_Entry() = 0;
    virtual void Save() = 0;
    virtual std::span<FieldBox *const> Entry_Fields() const = 0;
    virtual void Row_Click(int row) = 0;
    // Every change of the entry fields or the code is a change of the work.
    void Watch_Entry();

    // The commands by button index.
    void Button_Click(int n);
    void Delete_Item();
    void Print();
    void Delete_All();
    // Saves the code list and fields over the loaded row or as a new row;
    // a refused save keeps the fields as typed.
    void Save_Fields(std::span<const std::string> fields, QWidget *nameField, QWidget *numberField);
    // The click on a grid row: true when it is a data row, now the loaded
    // one; otherwise Delete item is disabled and the loaded row stays.
    bool Load_Row(int row);
    void Help(const QString &text);
    // The rows of a source appended to the register, or the failure told.
    bool Import_From(ByteSource &source, char separator);
    void Changed();

    Messages &messages_;
    PanelHost *host_ = nullptr;
    GridModel grid_;
    GridView *gridView_ = nullptr;
    QComboBox *codes_ = nullptr;
    std::array<QPushButton *, 5> buttons_{};
    std::int16_t editRow_ = 0;
};
