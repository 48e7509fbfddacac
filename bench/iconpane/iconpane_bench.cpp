// The icon pane beside a list view in icon view holding the same images and captions: painting
// (WM_PRINTCLIENT) and hit testing from 8 to 1,024 items; and the bitmap routines beside the
// system's own: masked drawing beside ImageList_Draw, the embossed look beside DrawState, the
// bitmap copy beside CopyImage.
#include <benchmark/benchmark.h>

#include <IconPaneControl.h>
#include <UIBitmapUtilities.h>
#include <UIImages.h>
#include <framework.h>
#include <ratio_reporter.h>

#include <commctrl.h>
#include <cstdio>
#include <vector>

#include "../uiview/bench_surface.h"

namespace {

const UINT kStrip = 330, kCaption = 530;
const int kW = 120, kH = 600;

HWND Parent() {
  static HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 800, NULL, NULL, NULL, NULL);
  return parent;
}

// A pane of n items, each with one of the strip's three images (its own copy).
HWND MakePane(int n) {
  HWND pane = CreateWindowExW(0, L"QvIconPaneControl32", L"", WS_CHILD | WS_VISIBLE, 0, 0, kW, kH, Parent(), NULL,
                              NULL, NULL);
  std::vector<UINT> labels(static_cast<size_t>(n), kCaption);
  IPCREATESTRUCT cs = {n, 16, 16, kStrip, labels.data()};
  SendMessageW(pane, IPM_CREATE, reinterpret_cast<WPARAM>(&cs), 0);
  IconPaneControl* o = IconPaneControl::FromWindow(pane);
  for (int i = 3; o != NULL && i < n; ++i)
    o->GetItem(i)->SetBitmap(Utilities::CopyBitmap(o->GetItem(i % 3)->m_bitmap), 1);
  return pane;
}

// A list view in icon view with the strip's images and n items of the same caption.
HWND MakeList(int n, HIMAGELIST* images) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHAREIMAGELISTS, 0, 0, kW,
                              kH, Parent(), NULL, NULL, NULL);
  LoadMaskedImageList(images, kStrip, 16);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(*images));
  wchar_t text[] = L"Report";
  for (int i = 0; i < n; ++i) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.iImage = i % 3;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return list;
}

void BM_PanePaint(benchmark::State& state) {
  HWND pane = MakePane(static_cast<int>(state.range(0)));
  Dib dib(kW, kH);
  for (auto _ : state) SendMessageW(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
  DestroyWindow(pane);
}
BENCHMARK(BM_PanePaint)->Arg(8)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_ListViewPaint(benchmark::State& state) {
  HIMAGELIST images = NULL;
  HWND list = MakeList(static_cast<int>(state.range(0)), &images);
  Dib dib(kW, kH);
  for (auto _ : state) SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  DestroyWindow(list);
  ImageList_Destroy(images);
}
BENCHMARK(BM_ListViewPaint)->Arg(8)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

// 1,000 points over the control's client area.
std::vector<POINT> Points() {
  std::vector<POINT> points;
  for (int i = 0; i < 1000; ++i) points.push_back({(i * 37) % kW, (i * 53) % kH});
  return points;
}

void BM_PaneHitTest(benchmark::State& state) {
  HWND pane = MakePane(static_cast<int>(state.range(0)));
  IconPaneControl* o = IconPaneControl::FromWindow(pane);
  const std::vector<POINT> points = Points();
  for (auto _ : state) {
    int hits = 0;
    for (const POINT& p : points) {
      int item = -1;
      o->HitTest(CPoint(p.x, p.y), item);
      hits += item >= 0;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  DestroyWindow(pane);
}
BENCHMARK(BM_PaneHitTest)->Arg(8)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_ListViewHitTest(benchmark::State& state) {
  HIMAGELIST images = NULL;
  HWND list = MakeList(static_cast<int>(state.range(0)), &images);
  const std::vector<POINT> points = Points();
  for (auto _ : state) {
    int hits = 0;
    for (const POINT& p : points) {
      LVHITTESTINFO info = {};
      info.pt = p;
      hits += SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)) >= 0;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  DestroyWindow(list);
  ImageList_Destroy(images);
}
BENCHMARK(BM_ListViewHitTest)->Arg(8)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

// 100 masked 16 x 16 images per iteration.
void BM_DrawMaskedBitmap(benchmark::State& state) {
  HBITMAP strip = LoadBitmapW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(kStrip));
  Dib dib(200, 200);
  CDC* dc = CDC::FromHandle(dib.dc());
  for (auto _ : state)
    for (int i = 0; i < 100; ++i) Utilities::DrawMaskedBitmap(dc, CPoint((i % 10) * 18, (i / 10) * 18), strip, 1, 16, 1, 1);
  DeleteObject(strip);
}
BENCHMARK(BM_DrawMaskedBitmap)->Unit(benchmark::kMicrosecond);

void BM_ImageListDraw(benchmark::State& state) {
  HIMAGELIST images = NULL;
  LoadMaskedImageList(&images, kStrip, 16);
  Dib dib(200, 200);
  for (auto _ : state)
    for (int i = 0; i < 100; ++i) ImageList_Draw(images, 1, dib.dc(), (i % 10) * 18, (i / 10) * 18, ILD_TRANSPARENT);
  ImageList_Destroy(images);
}
BENCHMARK(BM_ImageListDraw)->Unit(benchmark::kMicrosecond);

// 100 embossed 16 x 16 images per iteration.
void BM_DitherBlt(benchmark::State& state) {
  HBITMAP strip = LoadBitmapW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(kStrip));
  Dib dib(200, 200);
  for (auto _ : state)
    for (int i = 0; i < 100; ++i) Utilities::DitherBlt(dib.dc(), (i % 10) * 18, (i / 10) * 18, 16, 16, strip, 16, 0, 16, 16, 0, 0, 0);
  DeleteObject(strip);
}
BENCHMARK(BM_DitherBlt)->Unit(benchmark::kMicrosecond);

void BM_DrawStateDisabled(benchmark::State& state) {
  HBITMAP strip = LoadBitmapW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(kStrip));
  HBITMAP one = static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, 16, 16, 0));
  Dib dib(200, 200);
  for (auto _ : state)
    for (int i = 0; i < 100; ++i)
      DrawStateW(dib.dc(), NULL, NULL, reinterpret_cast<LPARAM>(one), 0, (i % 10) * 18, (i / 10) * 18, 16, 16,
                 DST_BITMAP | DSS_DISABLED);
  DeleteObject(one);
  DeleteObject(strip);
}
BENCHMARK(BM_DrawStateDisabled)->Unit(benchmark::kMicrosecond);

HBITMAP Picture() {
  HDC screen = GetDC(NULL);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 256, 256);
  ReleaseDC(NULL, screen);
  return bmp;
}

void BM_CopyBitmap(benchmark::State& state) {
  HBITMAP source = Picture();
  for (auto _ : state) DeleteObject(Utilities::CopyBitmap(source));
  DeleteObject(source);
}
BENCHMARK(BM_CopyBitmap)->Unit(benchmark::kMicrosecond);

void BM_CopyImage(benchmark::State& state) {
  HBITMAP source = Picture();
  for (auto _ : state) DeleteObject(CopyImage(source, IMAGE_BITMAP, 0, 0, 0));
  DeleteObject(source);
}
BENCHMARK(BM_CopyImage)->Unit(benchmark::kMicrosecond);

void Print(const bench_support::RatioReporter& r, const char* what, const char* a, const char* b) {
  if (r.Has(a, b)) printf("%s: %.2fx\n", what, r.Ratio(a, b));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Print(reporter, "8 items painted: icon pane / list view", "BM_PanePaint/8", "BM_ListViewPaint/8");
  Print(reporter, "1,024 items painted: icon pane / list view", "BM_PanePaint/1024", "BM_ListViewPaint/1024");
  Print(reporter, "icon pane paint, 1,024 items / 8 items", "BM_PanePaint/1024", "BM_PanePaint/8");
  Print(reporter, "1,000 hit tests over 8 items: icon pane / LVM_HITTEST", "BM_PaneHitTest/8", "BM_ListViewHitTest/8");
  Print(reporter, "1,000 hit tests over 1,024 items: icon pane / LVM_HITTEST", "BM_PaneHitTest/1024",
        "BM_ListViewHitTest/1024");
  Print(reporter, "masked images: DrawMaskedBitmap / ImageList_Draw", "BM_DrawMaskedBitmap", "BM_ImageListDraw");
  Print(reporter, "embossed images: DitherBlt / DrawState(DSS_DISABLED)", "BM_DitherBlt", "BM_DrawStateDisabled");
  Print(reporter, "256 x 256 copies: CopyBitmap / CopyImage", "BM_CopyBitmap", "BM_CopyImage");
  benchmark::Shutdown();
  return 0;
}
