#include "viewer/scene_loader.h"

#include <QMetaObject>

namespace orvandel::gui {

SceneLoader::SceneLoader(QObject* parent) : QObject(parent) {}

SceneLoader::~SceneLoader() {
  if (stop_ != nullptr) stop_->Stop();
  Join();
}

void SceneLoader::Start(const std::string& file_name, std::optional<HeightLevels> levels,
                        ViewerState& view) {
  Stop();
  stop_ = std::make_unique<RenderStop>();
  loaded_ = std::make_shared<ViewerState>(CopyWithoutScene(view));
  failure_ = nullptr;
  const unsigned number = ++started_;
  thread_ = std::thread([this, file_name, levels, number] {
    Load(file_name, levels);
    QMetaObject::invokeMethod(
        this, [this, number] { LoadDone(number); }, Qt::QueuedConnection);
  });
}

// On the load's thread. A stopped load is no failure: the user asked for it.
void SceneLoader::Load(const std::string& file_name, const std::optional<HeightLevels>& levels) {
  try {
    LoadSceneFrom({file_name, mesh_reader_, levels}, *loaded_, *stop_);
  } catch (const RenderStopped&) {
    loaded_.reset();
  } catch (...) {
    failure_ = std::current_exception();
    loaded_.reset();
  }
}

void SceneLoader::LoadDone(unsigned number) {
  if (number != started_ || !Loading()) return;
  Join();
  emit Ended(std::move(loaded_), failure_);
}

void SceneLoader::Stop() {
  if (!Loading()) return;
  stop_->Stop();
  Join();
  loaded_.reset();
  emit Ended(nullptr, nullptr);
}

void SceneLoader::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace orvandel::gui
