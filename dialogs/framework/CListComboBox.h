#pragma once

#include <QComboBox>

class CNumberListModel;
class QTableView;

// A drop-down list of the numbers 0 to n - 1 in numeric order. The numbers are made when
// shown, never stored, and the opened list keeps the usual height with a scroll bar, so a
// list of a million entries opens as fast as one of ten.
class CListComboBox : public QComboBox {
public:
    explicit CListComboBox(QWidget* pParent = nullptr);

    // The list holds 0 to nCount - 1; none for a count of 0 or below. Nothing is selected.
    void SetNumberCount(int nCount);
    // Selects the item of that index; an index outside the list selects nothing.
    void SetCurSel(int nIndex);

private:
    CNumberListModel* m_pModel;
    QTableView* m_pView;
};
