#pragma once

#include <QObject>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "assimp_mesh_reader.h"
#include "orvandel/commands/scene_commands.h"

namespace orvandel::gui {

// Loads scene files, one at a time, each on a thread of its own while the event loop goes
// on, into a state apart from the one shown: the shown scene stays whole until the new one
// is, and a load that fails or is stopped changes nothing. It knows no window and tells
// what happens by a signal.
class SceneLoader : public QObject {
  Q_OBJECT

 public:
  explicit SceneLoader(QObject* parent = nullptr);
  // Stops a running load and waits for it, telling nothing.
  ~SceneLoader() override;

  // Starts loading file_name, a 3DF or a mesh file, whose faces without colours of their
  // own levels classes, into a copy of view's view (CopyWithoutScene); a running load is
  // stopped first.
  void Start(const std::string& file_name, std::optional<HeightLevels> levels, ViewerState& view);
  // Stops the running load, if any, and waits for it; it ends (Ended) with nothing.
  void Stop();
  bool Loading() const { return thread_.joinable(); }

 signals:
  // A load has ended: loaded is the whole new scene in its view, or null when the load was
  // stopped or failed; failure is what a failed load threw.
  void Ended(std::shared_ptr<ViewerState> loaded, std::exception_ptr failure);

 private:
  void Load(const std::string& file_name, const std::optional<HeightLevels>& levels);
  void LoadDone(unsigned number);
  void Join();

  AssimpMeshReader mesh_reader_;
  std::unique_ptr<RenderStop> stop_;
  std::shared_ptr<ViewerState> loaded_;  // written by the load's thread until it ends
  std::exception_ptr failure_;
  unsigned started_ = 0;  // loads started, to tell a stopped one's late notice
  std::thread thread_;
};

}  // namespace orvandel::gui
