#include "app/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

CFindBar::CFindBar(QPlainTextEdit& text, QWidget* parent) : QWidget(parent), m_text(text) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 2, 0, 2);
  auto* label = new QLabel(QStringLiteral("F&ind:"));
  m_pField = new QLineEdit;
  m_pField->setObjectName(QStringLiteral("findText"));
  m_pField->setClearButtonEnabled(true);
  label->setBuddy(m_pField);
  auto* next = new QPushButton(QStringLiteral("&Next"));
  auto* previous = new QPushButton(QStringLiteral("Pre&vious"));
  auto* close = new QPushButton(QStringLiteral("Close"));
  m_pNote = new QLabel;
  m_pNote->setObjectName(QStringLiteral("findNote"));
  m_pNote->setTextFormat(Qt::PlainText);
  row->addWidget(label);
  row->addWidget(m_pField, 1);
  row->addWidget(next);
  row->addWidget(previous);
  row->addWidget(m_pNote);
  row->addWidget(close);
  connect(next, &QPushButton::clicked, this, &CFindBar::FindNext);
  connect(previous, &QPushButton::clicked, this, &CFindBar::FindPrevious);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  connect(m_pField, &QLineEdit::textEdited, m_pNote, &QLabel::clear);
  m_pField->installEventFilter(this);
  hide();
}

void CFindBar::Open() {
  const QString selected = m_text.textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
    m_pField->setText(selected);
  m_pNote->clear();
  show();
  m_pField->setFocus(Qt::ShortcutFocusReason);
  m_pField->selectAll();
}

bool CFindBar::FindNext() { return Find(false); }
bool CFindBar::FindPrevious() { return Find(true); }

bool CFindBar::Find(bool backward) {
  const QString wanted = m_pField->text();
  if (wanted.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (m_text.find(wanted, flags)) {
    m_pNote->clear();
    return true;
  }
  // Once more from the other end.
  QTextCursor from(m_text.document());
  if (!backward)
    from.movePosition(QTextCursor::Start);
  else
    from.movePosition(QTextCursor::End);
  const QTextCursor found = m_text.document()->find(wanted, from, flags);
  if (found.isNull()) {
    m_pNote->setText(QStringLiteral("\"%1\" is not in the text.").arg(wanted));
    return false;
  }
  m_text.setTextCursor(found);
  m_pNote->setText(backward ? QStringLiteral("Went on from the end.")
                            : QStringLiteral("Went on from the start."));
  return true;
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pField && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Find(key->modifiers() & Qt::ShiftModifier);
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      hide();
      m_text.setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
