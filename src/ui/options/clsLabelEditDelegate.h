#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace brevlin {

// In-place editing of a row's text with an after-edit check: the check receives the row
// and the new text and returns false to cancel, which keeps the row's old text.
class clsLabelEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using AfterLabelEdit = std::function<bool(int row, const QString& newString)>;

    clsLabelEditDelegate(AfterLabelEdit afterEdit, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    AfterLabelEdit m_afterEdit;
};

} // namespace brevlin
