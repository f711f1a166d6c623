// Renders the user's manual from the project's HTML into the PDF that the Help
// menu opens. Run at build time: make-manual INPUT.html OUTPUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-manual INPUT.html OUTPUT.pdf\n");
    return 2;
  }
  QFile input(QString::fromLocal8Bit(argv[1]));
  if (!input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "make-manual: cannot read %s\n", argv[1]);
    return 3;
  }
  QTextDocument document;
  document.setHtml(QString::fromUtf8(input.readAll()));

  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle("Quillfen 4.0 - User's manual");
  writer.setCreator("Quillfen");
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
  document.print(&writer);
  return 0;
}
