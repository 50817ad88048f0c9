#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// A find row under a text: the text to find, Next and Previous (also Enter and Shift+Enter) and a
// note when it is not there. The search wraps around the end and ignores case; Escape closes it.
class CFindBar : public QWidget {
  Q_OBJECT

 public:
  explicit CFindBar(QPlainTextEdit& text, QWidget* parent = nullptr);

  // Shows the row with the text's selection (or the last search) in its field, selected.
  void Open();
  // Finds the field's text after (or before) the cursor; false when it is nowhere.
  bool FindNext();
  bool FindPrevious();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Find(bool backward);

  QPlainTextEdit& m_text;
  QLineEdit* m_pField = nullptr;
  QLabel* m_pNote = nullptr;
};
