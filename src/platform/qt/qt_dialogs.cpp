#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/qt/qt_text.h"

namespace vemu::platform {
namespace {

QString filterString(const FileDialogRequest& request, QString* selected) {
  QStringList parts;
  int index = 1;
  for (const auto& [description, patterns] : request.filters) {
    QString pattern = fromUtf8(patterns);
    pattern.replace(';', ' ');
    QString entry = fromUtf8(description) + " (" + pattern + ")";
    if (index == request.filterIndex) *selected = entry;
    parts << entry;
    ++index;
  }
  return parts.join(";;");
}

// The index (from 1) of the filter entry the dialog reports as chosen; the
// offered one when the entry is not among them.
int filterIndexOf(const FileDialogRequest& request, const QString& selected) {
  QString unused;
  const QStringList entries = filterString(request, &unused).split(";;");
  const qsizetype found = entries.indexOf(selected);
  return found < 0 ? request.filterIndex : static_cast<int>(found) + 1;
}

// Texts break their lines with CR, LF or both; the screen wants LF alone.
QString screenText(const std::string& text) {
  QString result = fromUtf8(text);
  result.replace("\r\n", "\n");
  result.replace("\n\r", "\n");
  result.replace('\r', '\n');
  return result;
}

QString startPath(const FileDialogRequest& request) {
  // A name with its folder (a file loaded or saved before) starts there.
  if (request.initialDir.empty() || request.fileName.rfind('/', 0) == 0) return fromUtf8(request.fileName);
  QString dir = fromUtf8(request.initialDir);
  if (request.fileName.empty()) return dir;
  return dir + "/" + fromUtf8(request.fileName);
}

}  // namespace

QWidget* OpeningWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  QWidget* active = QApplication::activeWindow();
  // A menu or a hint is no window a dialog could belong to.
  if (active && (active->windowType() == Qt::Popup || active->windowType() == Qt::ToolTip)) return nullptr;
  return active;
}

void BelongToOpeningModal(QDialog& dialog) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal == &dialog || dialog.parentWidget()) return;
  dialog.winId();  // makes the window, so that its owner can be set
  if (QWindow* window = dialog.windowHandle()) window->setTransientParent(modal->windowHandle());
}

QWidget* QtDialogs::owner() const {
  QWidget* opening = OpeningWindow();
  return opening ? opening : parent_;
}

MsgResult QtDialogs::messageBox(const std::string& caption, const std::string& text,
                                MsgButtons buttons, MsgIcon icon) {
  QMessageBox box(owner());
  box.setWindowTitle(caption.empty() ? QStringLiteral("Vemu") : fromUtf8(caption));
  box.setText(screenText(text));
  switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::None: break;
  }
  switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MsgButtons::AbortRetryIgnore:
      box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Abort: return MsgResult::Abort;
    case QMessageBox::Retry: return MsgResult::Retry;
    case QMessageBox::Ignore: return MsgResult::Ignore;
    default: return MsgResult::Cancel;
  }
}

std::optional<std::string> QtDialogs::inputQuery(const std::string& caption,
                                                 const std::string& prompt,
                                                 const std::string& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(owner(), fromUtf8(caption), fromUtf8(prompt),
                                       QLineEdit::Normal, fromUtf8(initial), &ok);
  if (!ok) return std::nullopt;
  return toUtf8(text);
}

std::optional<ChosenFile> QtDialogs::chooseOpenFile(const FileDialogRequest& request) {
  QString selected;
  const QString filter = filterString(request, &selected);
  const QString file = QFileDialog::getOpenFileName(owner(), fromUtf8(request.title), startPath(request),
                                                    filter, &selected);
  if (file.isEmpty()) return std::nullopt;
  return ChosenFile{toUtf8(file), filterIndexOf(request, selected)};
}

std::optional<ChosenFile> QtDialogs::chooseSaveFile(const FileDialogRequest& request) {
  QString selected;
  const QString filter = filterString(request, &selected);
  QFileDialog::Options options;
  if (!request.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
  const QString file = QFileDialog::getSaveFileName(owner(), fromUtf8(request.title), startPath(request),
                                                    filter, &selected, options);
  if (file.isEmpty()) return std::nullopt;
  return ChosenFile{toUtf8(file), filterIndexOf(request, selected)};
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request) {
  auto chosen = chooseOpenFile(request);
  if (!chosen) return std::nullopt;
  return std::move(chosen->path);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request) {
  auto chosen = chooseSaveFile(request);
  if (!chosen) return std::nullopt;
  return std::move(chosen->path);
}

std::optional<std::uint32_t> QtDialogs::chooseColor(std::uint32_t initial) {
  QColor chosen = QColorDialog::getColor(colorFromRef(initial), owner());
  if (!chosen.isValid()) return std::nullopt;
  return colorToRef(chosen);
}

std::optional<std::vector<std::string>> QtDialogs::editText(const TextEditRequest& request) {
  QDialog dialog(owner());
  dialog.setWindowTitle(fromUtf8(request.caption));
  dialog.resize(request.width, request.height);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(screenText(request.text), &dialog));
  auto* memo = new QPlainTextEdit(&dialog);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QStringList lines;
  for (const auto& line : request.lines) lines << fromUtf8(line);
  memo->setPlainText(lines.join('\n'));
  layout->addWidget(memo);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> result;
  for (const QString& line : memo->toPlainText().split('\n')) result.push_back(toUtf8(line));
  return result;
}

std::optional<int> QtDialogs::chooseItem(const ChoiceRequest& request) {
  QDialog dialog(owner());
  dialog.setWindowTitle(fromUtf8(request.caption));
  dialog.setMinimumWidth(request.width);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(screenText(request.text), &dialog));
  auto* list = new QComboBox(&dialog);
  for (const auto& item : request.items) list->addItem(fromUtf8(item));
  list->setCurrentIndex(request.initial);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return list->currentIndex();
}

}  // namespace vemu::platform
