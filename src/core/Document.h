#pragma once

#include "core/Area.h"
#include "core/History.h"
#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/ScData.h"
#include "core/ScItem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hs {

inline constexpr ScItem kDefaultCamera{200.0, 0.0, 300.0, AboveWater, 1.0};
inline constexpr ScItem kDefaultLookAt{200.0, 0.0, 100.0, AboveGround, 0.0};

using ObjectLists = std::array<ScData, kObjectTypes>;

// One change to a document, as its listeners hear it.
struct DocumentChange {
  enum Kind {
    Appended,   // records first .. first + count - 1 of list type are new
    Removed,    // indices (ascending, as they were) left list type; with no
                // indices, the count records from first
    Inserted,   // records came back at indices (ascending) of list type, the
                // later records moving up
    Changed,    // the records at indices of list type are different
    AllObjects, // any list may be wholly different
    Camera,
    LookAt,
    Scale,
    Water,
    Smoothing,
    HeightFieldName, // the name or the type of the map file
    Map,             // the map's pixels, size or type
    Areas,           // the areas kept free
  };
  Kind kind = AllObjects;
  int type = -1;
  std::int32_t first = 0;
  std::int32_t count = 0;
  std::vector<std::int32_t> indices;
};

// What the user works on and the place data file holds: the height field
// (its name, type, pixels and size), the camera, the look-at point, the scale,
// the water level, the smoothing flag and the sixteen object lists, with the
// copies " Keep" took.
//
// The data changes only through the methods below. Each records what it
// changes into the history step open at the time, opening a step of its own
// when none is (so nothing can change unrecorded), and tells the listeners
// once the outermost step ends. A document made without a history records
// nothing, and its changes cost no more than the change itself.
class Document {
public:
  enum class Recording { On, Off };
  explicit Document(Recording recording = Recording::On);
  Document(const Document &) = delete;
  Document &operator=(const Document &) = delete;

  // The objects.
  const ObjectLists &objects() const { return objects_; }
  const ObjectLists &keptObjects() const { return keptObjects_; }
  // Total objects over all sixteen lists.
  long long objectCount() const;
  const ItemBudget &budget() const { return budget_; }
  // The most objects all lists may hold together.
  void setObjectLimit(long long limit) { budget_.limit = limit; }

  // The values the file holds.
  const ScItem &camera() const { return camera_; }
  const ScItem &lookAt() const { return lookAt_; }
  const ScItem &keptCamera() const { return keptCamera_; }
  const ScItem &keptLookAt() const { return keptLookAt_; }
  float scaleX() const { return scaleX_; }
  float scaleY() const { return scaleY_; }
  float scaleZ() const { return scaleZ_; }
  float waterLevel() const { return waterLevel_; }
  int smoothOn() const { return smoothOn_; }
  const std::string &hfFileName() const { return hfFileName_; }
  // The type of the last map file tried, as hfType.
  int hfFileType() const { return hfFileType_; }
  // The areas kept free of scattered objects.
  const std::vector<Area> &areas() const { return areas_; }

  // The map.
  const LRMemoryDC &baseImage() const { return baseImage_; }
  int hfType() const { return hfType_; } // 0 Targa, 1 PPM, 2 PNG, 3 PGM (a HeightFieldType)
  int mapWidth() const { return mapWidth_; }
  int mapHeight() const { return mapHeight_; }
  int prevMapWidth() const { return prevMapWidth_; }
  int prevMapHeight() const { return prevMapHeight_; }
  float mapCentreX() const { return mapCentreX_; }
  float mapCentreY() const { return mapCentreY_; }
  // Counts the changes to baseImage's pixels (a new map, a new palette), so
  // that pictures made from it know when to be made again.
  std::uint64_t mapVersion() const { return mapVersion_; }

  // The undo history of the lists, the values and the map; the kept copies
  // stay outside it.
  History &history() { return history_; }
  const History &history() const { return history_; }
  bool records() const { return recording_ == Recording::On; }

  // Changing the objects. append returns the list's status (ScData::Ok, or
  // NoMemory when the record could not be added, the object limit included;
  // BadIndex for a type that is none).
  int append(int type, const ScItem &item);
  // A new record with the default turn and size.
  int append(int type, double x, double y, double z, std::int32_t heightMode, double height) {
    return append(type, ScItem{x, y, z, heightMode, height});
  }
  // Removes the records at the ascending indices of list type; indices that
  // are not records of the list, in ascending order, remove nothing.
  void remove(int type, const std::vector<std::int32_t> &ascending);
  // Replaces record index of list type (a move, an edit); an index that is
  // no record changes nothing.
  void change(int type, int index, const ScItem &item);
  // Replaces the whole record: turn and size go back to their defaults.
  void change(int type, int index, double x, double y, double z, std::int32_t heightMode,
              double height) {
    change(type, index, ScItem{x, y, z, heightMode, height});
  }
  // Changes every object in place, the camera and the look-at point included
  // when withPoints is set.
  void changeEvery(const std::function<void(ScItem &)> &how, bool withPoints);
  // Makes room in list type for n records in all, so that appends up to n
  // cannot run out of memory.
  bool reserve(int type, std::int32_t n) {
    return objects_[static_cast<std::size_t>(type)].reserve(n);
  }
  // What every list shows now, and going back to it: the records appended
  // since are dropped, and not recorded.
  std::array<ScData::Mark, kObjectTypes> marks() const;
  void rollBack(const std::array<ScData::Mark, kObjectTypes> &marks);
  // Empties every object list; kept copies, camera and look-at point stay.
  void killAll();

  // Changing the values.
  void setCamera(const ScItem &camera);
  void setLookAt(const ScItem &lookAt);
  void setScale(float x, float y, float z);
  void setWaterLevel(float level);
  void setSmoothOn(int on);
  void setHfFileName(const std::string &name);
  void setHfFileType(int type);
  void setHfType(int type);
  void setAreas(std::vector<Area> areas);

  // Changing the map. setMap makes image the map: the old size becomes the
  // previous size, the centre follows by integer halving.
  void setMap(LRMemoryDC &&image);
  // Changes the map's pixels in place (a palette): not a step of the history.
  void recolour(const std::function<void(LRMemoryDC &)> &how);

  // Copies the camera, the look-at point and every list into the kept copies.
  // All or nothing: when memory runs out the kept copies stay as they were
  // and false is returned.
  bool keep();
  // Restores the kept copies (which stay as they are). All or nothing as
  // keep: false, with the document as it was, when memory runs out.
  bool goBackToKept();

  // Undo (forward false) or redo one step of the history. False when there
  // was none, or it no longer matched (which empties the history).
  bool stepHistory(bool forward);

  // Listeners hear every change; the id removes one again. told, when given,
  // is called once after each batch of changes, so that a listener can act
  // once on everything a step changed.
  int addListener(std::function<void(const DocumentChange &)> listener,
                  std::function<void()> told = {});
  void removeListener(int id);

  // Tells the listeners now what the open step has changed so far (a dialog
  // in the middle of a step shows the scene as it is); the rest is told when
  // the step ends.
  void publish();

  // Opens a step of the history for its lifetime; the changes made in it are
  // told to the listeners when the outermost one ends.
  class Step {
  public:
    Step(Document &document, const char *label);
    ~Step();
    Step(const Step &) = delete;
    Step &operator=(const Step &) = delete;

  private:
    Document &document_;
  };

private:
  friend class History;
  friend struct HistoryToggle;
  void begin(const char *label);
  void end();
  void tell(DocumentChange &&change);
  void settingsChanging();
  void setSetting(const std::function<void()> &set, DocumentChange::Kind kind);
  void setMapSize(int width, int height);

  ObjectLists objects_;
  ObjectLists keptObjects_;
  ItemBudget budget_;
  ScItem camera_ = kDefaultCamera;
  ScItem lookAt_ = kDefaultLookAt;
  ScItem keptCamera_ = kDefaultCamera;
  ScItem keptLookAt_ = kDefaultLookAt;
  float scaleX_ = 100.0f;
  float scaleY_ = 10.0f;
  float scaleZ_ = 100.0f;
  float waterLevel_ = 0.0f;
  int smoothOn_ = 0;
  std::string hfFileName_;
  std::vector<Area> areas_;
  int hfFileType_ = 0;
  LRMemoryDC baseImage_;
  int hfType_ = 0;
  int mapWidth_ = 400;
  int mapHeight_ = 400;
  int prevMapWidth_ = 400;
  int prevMapHeight_ = 400;
  float mapCentreX_ = 199.0f;
  float mapCentreY_ = 199.0f;
  std::uint64_t mapVersion_ = 0;

  Recording recording_;
  History history_;
  int depth_ = 0;
  std::vector<DocumentChange> pending_;
  // Per list, where in pending_ its last run of appends is told (kNoRun: none).
  static constexpr std::size_t kNoRun = static_cast<std::size_t>(-1);
  std::array<std::size_t, kObjectTypes> lastAppended_ = filledNoRun();
  static constexpr std::array<std::size_t, kObjectTypes> filledNoRun() {
    std::array<std::size_t, kObjectTypes> a{};
    a.fill(kNoRun);
    return a;
  }
  struct Listener {
    int id;
    std::function<void(const DocumentChange &)> call;
    std::function<void()> told;
  };
  std::vector<Listener> listeners_;
  int nextListener_ = 1;
};

// Opens a step of the document's history for its lifetime.
using HistoryStep = Document::Step;

} // namespace hs
