#include "ui/options/clsLabelEditDelegate.h"

#include "ui/options/modOptions.h"

namespace brevlin {

clsLabelEditDelegate::clsLabelEditDelegate(AfterLabelEdit afterEdit, QObject* parent)
    : QStyledItemDelegate(parent), m_afterEdit(std::move(afterEdit)) {}

QWidget* clsLabelEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("LabelEdit"));
    editor->setFrame(false);
    SelectAllTextOnFocus(editor);
    m_editor = editor;
    return editor;
}

void clsLabelEditDelegate::EndLabelEdit(bool commit) {
    // A closed editor is hidden until it is deleted; it has nothing left to end.
    QLineEdit* editor = m_editor;
    m_editor = nullptr;
    if (editor == nullptr || !editor->isVisible())
        return;
    if (commit)
        emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void clsLabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    const QString newString = static_cast<QLineEdit*>(editor)->text();
    if (m_afterEdit(index.row(), newString))
        model->setData(index, newString, Qt::EditRole);
}

} // namespace brevlin
