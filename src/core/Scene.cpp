#include "core/Scene.h"

namespace hs {

namespace {

class NoServices final : public WindowServices {
public:
  void setToolButtons(int) override {}
  void showModeStatus(int) override {}
  void setStatusText(const char *) override {}
  void endCameraPick(int) override {}
  void endWaterPick(int) override {}
  void setReadout(const char *) override {}
  void nudgePointer(int, int) override {}
  void notice(const char *, const char *) override {}
};

} // namespace

WindowServices &noServices() {
  static NoServices none;
  return none;
}

Scene::Scene(Document *document, WindowValues *owner)
    : ownDocument_(document ? nullptr : std::make_unique<Document>()),
      document_(document ? document : ownDocument_.get()), owner_(owner ? owner : &ownValues_),
      services_(&noServices()) {}

Scene::~Scene() { document_->removeListener(listener_); }

void Scene::listen(std::function<void(const DocumentChange &)> heard, std::function<void()> told) {
  document_->removeListener(listener_);
  listener_ = document_->addListener(std::move(heard), std::move(told));
}

void Scene::attachOwner(WindowValues *owner) { owner_ = owner ? owner : &ownValues_; }

void Scene::attachServices(WindowServices *services) {
  services_ = services ? services : &noServices();
}

} // namespace hs
