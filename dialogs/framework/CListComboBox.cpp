#include "dialogs/framework/CListComboBox.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QProxyStyle>
#include <QTableView>

// The numbers 0 to n - 1, each made when asked for.
class CNumberListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void SetCount(int nCount) {
        beginResetModel();
        m_nCount = std::max(nCount, 0);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_nCount;
    }
    QVariant data(const QModelIndex& index, int nRole) const override {
        if (!index.isValid() || index.row() >= m_nCount ||
            (nRole != Qt::DisplayRole && nRole != Qt::EditRole)) {
            return {};
        }
        return QString::number(index.row());
    }

private:
    int m_nCount = 0;
};

namespace {

// A one-column table whose Home and End go to the first and last row, as in a list.
class CNumberListView : public QTableView {
protected:
    QModelIndex moveCursor(CursorAction eAction, Qt::KeyboardModifiers modifiers) override {
        if (eAction == MoveHome || eAction == MoveEnd) {
            modifiers |= Qt::ControlModifier;
        }
        return QTableView::moveCursor(eAction, modifiers);
    }
};

// Styles that open a drop-down list as a pop-up over the box (Fusion among them) measure every
// item and ignore the visible item count: a long list would take seconds and cover the screen.
// The old platform's lists drop down below the box, a few items high, with a scroll bar.
class CDropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint eHint, const QStyleOption* pOption, const QWidget* pWidget,
                  QStyleHintReturn* pReturn) const override {
        if (eHint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(eHint, pOption, pWidget, pReturn);
    }
};

QStyle* DropDownStyle() {
    // One for all lists, ending with the application: widgets do not own their style.
    static QPointer<QStyle> pStyle;
    if (pStyle == nullptr) {
        pStyle = new CDropDownStyle;
        pStyle->setParent(QCoreApplication::instance());
    }
    return pStyle;
}

}  // namespace

CListComboBox::CListComboBox(QWidget* pParent)
    : QComboBox(pParent), m_pModel(new CNumberListModel(this)), m_pView(new CNumberListView) {
    setStyle(DropDownStyle());
    // Items are not measured one by one: the box has a fixed size, and a table's rows all
    // have the header's one height, where a list view would lay out every row first.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pView->horizontalHeader()->hide();
    m_pView->horizontalHeader()->setStretchLastSection(true);
    m_pView->verticalHeader()->hide();
    m_pView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pView->setShowGrid(false);
    m_pView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setView(m_pView);
    setModel(m_pModel);
}

void CListComboBox::SetNumberCount(int nCount) {
    // The rows take the height of the font the list has by now, with the item's usual margins.
    // Set while the list is empty: changing it later resizes every row.
    m_pModel->SetCount(0);
    m_pView->verticalHeader()->setDefaultSectionSize(m_pView->fontMetrics().height() + 4);
    m_pModel->SetCount(nCount);
    setCurrentIndex(-1);
}

void CListComboBox::SetCurSel(int nIndex) {
    setCurrentIndex(nIndex >= 0 && nIndex < count() ? nIndex : -1);
}
