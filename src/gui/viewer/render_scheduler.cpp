#include "viewer/render_scheduler.h"

namespace orvandel::gui {

RenderScheduler::RenderScheduler(ViewerState& state, QObject* parent)
    : QObject(parent), state_(state) {}

// BackgroundRender's own end stops the render and gives the scene back.
RenderScheduler::~RenderScheduler() = default;

// The start waits for the events already queued, which may ask for more of the same.
void RenderScheduler::Request(QSize size) {
  size_ = size.expandedTo(QSize(1, 1));
  wanted_ = true;
  if (running_ != nullptr || start_posted_) return;
  start_posted_ = true;
  QMetaObject::invokeMethod(this, &RenderScheduler::StartWanted, Qt::QueuedConnection);
}

void RenderScheduler::StartWanted() {
  start_posted_ = false;
  if (wanted_ && running_ == nullptr) Start();
}

// The render's thread tells its end through the event loop, numbered so that the notice
// of a render stopped meanwhile is passed over. Requests made from BusyChanged's receivers
// already find the render running.
void RenderScheduler::Start() {
  wanted_ = false;
  drawn_ = std::make_shared<PictureImage>(size_.width(), size_.height());
  const unsigned number = ++started_;
  running_ = std::make_unique<BackgroundRender>(
      state_, Picture{drawn_->GetCanvas(), drawn_->Width(), drawn_->Height()}, [this, number] {
        QMetaObject::invokeMethod(
            this, [this, number] { RenderDone(number); }, Qt::QueuedConnection);
      });
  SetBusy(true);
}

void RenderScheduler::RenderDone(unsigned number) {
  if (number != started_ || running_ == nullptr) return;
  bool whole = false;
  std::exception_ptr failure;
  try {
    whole = running_->Finish();
  } catch (...) {
    failure = std::current_exception();
  }
  running_.reset();
  End(whole, failure);
}

void RenderScheduler::Stop() {
  wanted_ = false;
  if (running_ == nullptr) return;
  running_->Stop();
  running_->Finish();
  running_.reset();
  End(false, nullptr);
}

// What was asked for while the render ran follows at once: the input that asked for it
// has been handled already.
void RenderScheduler::End(bool whole, std::exception_ptr failure) {
  std::shared_ptr<PictureImage> picture = whole ? std::move(drawn_) : nullptr;
  drawn_.reset();
  emit Ended(picture, failure);
  if (running_ != nullptr) return;  // started while Ended's receiver showed a dialog
  if (wanted_) {
    Start();
  } else {
    SetBusy(false);
  }
}

void RenderScheduler::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  emit BusyChanged(busy);
}

}  // namespace orvandel::gui
