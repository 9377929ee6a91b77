// Deck, the video panel on the screen page: shown only while a film plays, it paints the
// frames of its video sink stretched to its own size (black until the first frame). A plain
// widget painting images, so it also shows offscreen and in grabs.
#pragma once

#include <QImage>
#include <QWidget>

class QVideoSink;

namespace zunk {

class VideoDeck : public QWidget {
  Q_OBJECT

 public:
  explicit VideoDeck(QWidget* parent);

  // Where a player sends its frames.
  QVideoSink* sink() const { return sink_; }
  // The last frame shown; null before the first.
  const QImage& frame() const { return frame_; }
  // A new film: the last one's frame is forgotten.
  void Clear();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QVideoSink* sink_;
  QImage frame_;
};

}  // namespace zunk
