#pragma once

#include <QObject>
#include <QSize>
#include <exception>
#include <memory>

#include "orvandel/commands/background_render.h"
#include "picture_image.h"

namespace orvandel::gui {

// Runs the renders of one picture, one at a time, each on a thread of its own, while the
// event loop goes on taking input. A render starts once the events already waiting have
// been handled, and requests made before it starts or while it runs merge into one render,
// at the size and with the view as they stand when it starts: a burst of arrow clicks, or
// a window edge dragged, gives one more picture instead of a queue of pictures of views
// already left behind. It knows no window and tells what happens by signals.
class RenderScheduler : public QObject {
  Q_OBJECT

 public:
  // Renders the scene of state, which must outlive the scheduler. While a render runs the
  // scene is out of state (see BackgroundRender).
  explicit RenderScheduler(ViewerState& state, QObject* parent = nullptr);
  // Stops a running render and waits for it, telling nothing.
  ~RenderScheduler() override;

  // Asks for a render of a picture of size (at least 1 x 1).
  void Request(QSize size);
  // Stops the running render and waits for it, so that the scene is back in state when it
  // returns, and forgets a render asked for; the picture stays as it was. A stopped render
  // ends (Ended) with no picture.
  void Stop();
  // A render runs or is asked for.
  bool Busy() const { return running_ != nullptr || wanted_; }

 signals:
  // true as the first of a row of renders starts, false once none runs or is asked for.
  void BusyChanged(bool busy);
  // A render has ended: picture is the whole new picture, or null when the render was
  // stopped or failed; failure is what a failed render threw.
  void Ended(std::shared_ptr<PictureImage> picture, std::exception_ptr failure);

 private:
  void StartWanted();
  void Start();
  void RenderDone(unsigned number);
  void End(bool whole, std::exception_ptr failure);
  void SetBusy(bool busy);

  ViewerState& state_;
  QSize size_;           // of the render asked for
  bool wanted_ = false;  // a render is asked for and has not started
  bool start_posted_ = false;
  bool busy_ = false;
  unsigned started_ = 0;                 // renders started, to tell a stopped one's late notice
  std::shared_ptr<PictureImage> drawn_;  // the picture of the running render
  std::unique_ptr<BackgroundRender> running_;
};

}  // namespace orvandel::gui
