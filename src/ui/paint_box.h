// The main window's drawing surface: shows the back buffer as it stands and
// tells its owner when its size changes. All drawing happens in the back
// buffer; the widget only copies it to the screen.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // The picture shown (not owned; null or a null image shows white).
  void SetPicture(const QImage* picture) { picture_ = picture; }
  const QImage* Picture() const { return picture_; }
  // Called after every change of size.
  std::function<void()> OnResize;
  // Mouse events of the canvas (set by the window's gesture code). A double
  // click calls OnDblClick and then OnMouseDown with the second press.
  std::function<void(QMouseEvent*)> OnMouseDown;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseUp;
  std::function<void()> OnDblClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const QImage* picture_ = nullptr;
};
