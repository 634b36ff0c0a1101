#include "editor_fixture.h"

void EditorTest::SetUp() {
  UseNativeEditors(TOVALUNE_EDITOR_IMAGES);
  synth = std::make_unique<Tovalune>();
  gui = LastNativeEditor();
  view = synth->EditorView();
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(static_cast<IGraphics*>(gui), view->Graphics());
  ASSERT_EQ(synth->GetGui(), view->Graphics());
}

void EditorTest::TearDown() {
  synth.reset();
}

IRectangle EditorTest::Tick() {
  IRectangle dirty{0, 0, 0, 0};
  gui->Tick(&dirty);
  return dirty;
}

void EditorTest::DrawAll() {
  const IRectangle all{0, 0, gui->Width(), gui->Height()};
  for (int i = 0; i < 3; ++i) {
    Tick();
    gui->Draw(&all);
  }
}

void EditorTest::Click(int idx) {
  const IRectangle& r = Control(idx)->GetRect();
  IMouseKeys keys{true, false, false, false, false};
  gui->OnMouseDown(CentreX(r), CentreY(r), &keys);
  gui->OnMouseUp(CentreX(r), CentreY(r), &keys);
}

void EditorTest::AnswerMenu(const IPopupMenu* menu, int k) {
  gui->menuAnswer = [menu, k](IPopupMenu*) { return menu ? menu->NativeCommandOf(k) : 0; };
}

void EditorTest::Set(int idx, double value) {
  synth->GetParam(idx)->SetClamped(value);
  synth->ParamChanged(idx);
}

const char* EditorTest::LabelText(EditorLabel label) const {
  return view->LabelControl(label)->GetText();
}
