#pragma once

#include <QComboBox>
#include <QStringList>

class QStringListModel;

// A drop-down list that may keep its items sorted as text, case ignored, as the old
// platform's sorted lists did: numbers come out as 0, 1, 10, 11, 2 ...
class CListComboBox : public QComboBox {
public:
    CListComboBox(bool bSorted, QWidget* pParent = nullptr);

    // Adds the items, each at its place in text order when the list is sorted, else at the
    // end. Adding many at once costs one sort, so lists of a million entries fill quickly.
    void AddStrings(const QStringList& texts);
    // Selects the item of that index; an index outside the list selects nothing.
    void SetCurSel(int nIndex);

private:
    QStringListModel* m_pModel;
    bool m_bSorted;
};
