#include "puzzles/PuzzleHarness.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Levels/Puzzles/PuzzleLevel.h"
#include "Logic/LogicFactories.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"
#include "support/CoreSupport.h"

namespace puzzletest {

namespace {

struct SSuite {
  std::unique_ptr<testsupport::TempDir> dir;
  std::unique_ptr<rovovoz::CGameCore> core;
  rovovoz::CGameCore* previous = nullptr;
};

SSuite& Suite() {
  static SSuite suite;
  return suite;
}

std::string Utf8(const std::wstring& text) { return Platform::WideToUtf8(text); }

// Two triangles over the rectangle, as an OBJ mesh.
void WriteQuad(std::ostringstream& obj, const std::string& name, const SShape& s, int& base) {
  obj << "o " << name << "\n";
  obj << "v " << s.x0 << " " << s.y << " " << s.z0 << "\n";
  obj << "v " << s.x1 << " " << s.y << " " << s.z0 << "\n";
  obj << "v " << s.x1 << " " << s.y << " " << s.z1 << "\n";
  obj << "v " << s.x0 << " " << s.y << " " << s.z1 << "\n";
  obj << "f " << base << " " << base + 1 << " " << base + 2 << "\n";
  obj << "f " << base << " " << base + 2 << " " << base + 3 << "\n";
  base += 4;
}

}  // namespace

void CPuzzleHarness::SetUpSuite() {
  SSuite& suite = Suite();
  suite.dir = std::make_unique<testsupport::TempDir>();
  // The game's cursor list, so that cursor images have their names.
  const std::filesystem::path cursors = testsupport::GameDir() / "Data" / "Cursors";
  std::filesystem::create_directories(suite.dir->Path() / "Data" / "Cursors");
  std::filesystem::create_directories(suite.dir->Path() / "Data" / "Models");
  std::filesystem::create_directories(suite.dir->Path() / "Data" / "Textures");
  std::filesystem::create_directories(suite.dir->Path() / "Data" / "Level");
  for (const auto& file : std::filesystem::directory_iterator(cursors))
    std::filesystem::copy_file(file.path(), suite.dir->Path() / "Data" / "Cursors" / file.path().filename());
  suite.core = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
  zorfile::CFileSystem* fs = suite.core->GetFileSystem();
  fs->SetInstallFolder(suite.dir->Path());
  testsupport::AddGameDataPaths(*fs);
  testsupport::StartWindowAndRender(*suite.core, L"puzzles");
  suite.core->GetInput()->Init(suite.core->GetWindow());
  suite.previous = gGameCore;
  gGameCore = suite.core.get();
}

void CPuzzleHarness::TearDownSuite() {
  SSuite& suite = Suite();
  gGameCore = suite.previous;
  suite.core.reset();
  suite.dir.reset();
}

rovovoz::CGameCore* CPuzzleHarness::Core() { return Suite().core.get(); }

std::filesystem::path CPuzzleHarness::DataDir() { return Suite().dir->Path() / "Data"; }

CPuzzleHarness::CPuzzleHarness() : mCursor(std::make_unique<rovovoz::CMouseCursor>(Core())) {
  mCursor->Load(L"Data\\Cursors\\Cursors.xml");
  CPuzzleLevel::SetObserverForTests(
      [this](const std::wstring& kind, const std::wstring& name) { mEvents.push_back(kind + L":" + name); });
}

CPuzzleHarness::~CPuzzleHarness() {
  CPuzzleLevel::SetObserverForTests(nullptr);
  mScene.reset();
}

CBaseLevel* CPuzzleHarness::Load(const std::wstring& file, const std::vector<SShape>& shapes, uint32_t seed) {
  const std::filesystem::path root = Suite().dir->Path() / "Data";
  const std::string stem = Utf8(file.substr(0, file.find(L'.')));
  std::ostringstream render, triggers, level;
  render << "# puzzle fixture models\n";
  triggers << "# puzzle fixture triggers\n";
  level << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Level FileRender=\"" << stem << ".zorm\" FileTriangle=\""
        << stem << "_tr.zorm\">\n  <RenderObject>\n";
  int modelBase = 1, triggerBase = 1;
  for (const SShape& shape : shapes) {
    level << "    <Object";
    if (!shape.model.empty()) {
      level << " NameModel=\"" << Utf8(shape.model) << "\"";
      WriteQuad(render, Utf8(shape.model), shape, modelBase);
    }
    if (!shape.trigger.empty()) {
      level << " TriangleModel=\"" << Utf8(shape.trigger) << "\"";
      WriteQuad(triggers, Utf8(shape.trigger), shape, triggerBase);
    }
    level << "/>\n";
  }
  level << "  </RenderObject>\n</Level>\n";
  std::filesystem::create_directories(root / "Level");
  std::filesystem::create_directories(root / "Models");
  std::ofstream(root / "Level" / (stem + ".xml")) << level.str();
  std::ofstream(root / "Models" / (stem + ".zorm")) << render.str();
  std::ofstream(root / "Models" / (stem + "_tr.zorm")) << triggers.str();

  mScene.reset(CreateBack(file));
  if (!mScene) return nullptr;
  mScene->InitBack(L"Data\\Level\\" + file);
  mScene->SetName(file);
  mScene->Load(3);
  Platform::SeedRandom(seed);
  Action(L"a_back_start");
  return mScene.get();
}

int32_t CPuzzleHarness::Action(const std::wstring& name, int mode) { return mScene->OnAction(name, mode); }

void CPuzzleHarness::Feed(std::initializer_list<zuzorev::SInputEvent> events, float dt) {
  zuzorev::CWindowSystem* window = Core()->GetWindow();
  for (const zuzorev::SInputEvent& e : events) window->GetEvents().Push(e);
  window->BeginFrame();
  Core()->GetInput()->Update();
  mCursor->UpdatePosition();
  (void)dt;
}

void CPuzzleHarness::Frame(float dt, bool withCursor) {
  Feed({}, dt);
  mScene->UpdateLevel(dt, withCursor ? mCursor.get() : nullptr);
  mCursorImages.push_back(mCursor->GetCursorName());
}

void CPuzzleHarness::Frames(int count, float dt, bool withCursor) {
  for (int i = 0; i < count; ++i) Frame(dt, withCursor);
}

namespace {
int WindowX(float x) { return static_cast<int>(x + 512.0f); }
int WindowY(float z) { return static_cast<int>(384.0f - z); }
}  // namespace

void CPuzzleHarness::Hover(float x, float z, float dt) {
  Feed({zuzorev::SInputEvent::MouseMove(WindowX(x), WindowY(z))}, dt);
  mScene->UpdateLevel(dt, mCursor.get());
  mCursorImages.push_back(mCursor->GetCursorName());
}

void CPuzzleHarness::Click(float x, float z, int button, float dt, bool withCursor) {
  const int wx = WindowX(x), wy = WindowY(z);
  Feed({zuzorev::SInputEvent::MouseMove(wx, wy), zuzorev::SInputEvent::MouseDown(button, wx, wy),
        zuzorev::SInputEvent::MouseUp(button, wx, wy)},
       dt);
  mScene->UpdateLevel(dt, withCursor ? mCursor.get() : nullptr);
  mCursorImages.push_back(mCursor->GetCursorName());
}

void CPuzzleHarness::Press(float x, float z, int button, float dt) {
  const int wx = WindowX(x), wy = WindowY(z);
  Feed({zuzorev::SInputEvent::MouseMove(wx, wy), zuzorev::SInputEvent::MouseDown(button, wx, wy)}, dt);
  mScene->UpdateLevel(dt, mCursor.get());
  mCursorImages.push_back(mCursor->GetCursorName());
}

void CPuzzleHarness::Release(float x, float z, int button, float dt) {
  const int wx = WindowX(x), wy = WindowY(z);
  Feed({zuzorev::SInputEvent::MouseUp(button, wx, wy)}, dt);
  mScene->UpdateLevel(dt, mCursor.get());
  mCursorImages.push_back(mCursor->GetCursorName());
}

int CPuzzleHarness::Count(const std::wstring& event) const {
  return static_cast<int>(std::count(mEvents.begin(), mEvents.end(), event));
}

}  // namespace puzzletest
