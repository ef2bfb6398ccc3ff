#pragma once

#include <QLineEdit>
#include <QPointer>
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

    // Ends an open edit: as leaving the editor would (the check runs, then the editor
    // closes), or, without `commit`, as Escape would.
    void EndLabelEdit(bool commit);

private:
    AfterLabelEdit m_afterEdit;
    mutable QPointer<QLineEdit> m_editor;
};

} // namespace brevlin
