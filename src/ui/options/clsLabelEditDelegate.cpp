#include "clsLabelEditDelegate.h"

#include "modOptions.h"

#include <QLineEdit>

namespace brevlin {

clsLabelEditDelegate::clsLabelEditDelegate(AfterLabelEdit afterEdit, QObject* parent)
    : QStyledItemDelegate(parent), m_afterEdit(std::move(afterEdit)) {}

QWidget* clsLabelEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("LabelEdit"));
    editor->setFrame(false);
    SelectAllTextOnFocus(editor);
    return editor;
}

void clsLabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    const QString newString = static_cast<QLineEdit*>(editor)->text();
    if (m_afterEdit(index.row(), newString))
        model->setData(index, newString, Qt::EditRole);
}

} // namespace brevlin
