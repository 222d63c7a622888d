#include "dialogs/CListComboBox.h"

#include <QListView>
#include <QStringListModel>
#include <algorithm>

namespace {

bool TextLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

}  // namespace

CListComboBox::CListComboBox(bool bSorted, QWidget* pParent)
    : QComboBox(pParent), m_pModel(new QStringListModel(this)), m_bSorted(bSorted) {
    setModel(m_pModel);
    // Long lists must not be measured item by item, nor laid out row by row.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* pView = qobject_cast<QListView*>(view())) {
        pView->setUniformItemSizes(true);
    }
}

void CListComboBox::AddStrings(const QStringList& texts) {
    const QString strCurrent = currentText();
    const int nCurrent = currentIndex();
    QStringList items = m_pModel->stringList();
    const qsizetype nOld = items.size();
    items.append(texts);
    if (m_bSorted) {
        // Each new item goes after equal ones already there, as one-by-one adding would.
        std::stable_sort(items.begin() + nOld, items.end(), TextLess);
        std::inplace_merge(items.begin(), items.begin() + nOld, items.end(), TextLess);
    }
    m_pModel->setStringList(items);
    if (nCurrent >= 0) {
        setCurrentIndex(static_cast<int>(items.indexOf(strCurrent)));
    } else {
        setCurrentIndex(-1);
    }
}

void CListComboBox::SetCurSel(int nIndex) {
    setCurrentIndex(nIndex >= 0 && nIndex < count() ? nIndex : -1);
}
