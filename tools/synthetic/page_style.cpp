#include "synthetic/page_style.h"

namespace quillfen::synthetic {

namespace {

void WriteStyle(PageWriter& out, std::string_view media, std::string_view rule) {
  out << "    <style type=\"text/css\"" << media << ">";
  out.EndLine();
  out << "    <!--";
  out.EndLine();
  out << rule;
  out.EndLine();
  out << "    //-->";
  out.EndLine();
  out << "    </style>";
  out.EndLine();
}

}  // namespace

void WriteHead(PageWriter& out, std::string_view title, std::string_view metaLines) {
  out << R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">)";
  out.EndLine();
  out << "<html>";
  out.EndLine();
  out << "  <head>";
  out.EndLine();
  out << "    <title>" << title << "</title>";
  out.EndLine();
  out << metaLines;
  WriteStyle(out, " media=\"screen\"", "    td { font: 8pt Tahoma,Arial; }");
  WriteStyle(out, " media=\"print\"", "    td { font: 7pt Tahoma,Arial; }");
  WriteStyle(out, "",
             "    .msdate { mso-number-format:\"General Date\"; }\r\n"
             "    .mspt   { mso-number-format:\\#\\,\\#\\#0\\.00;  }");
  out << "  </head>";
  out.EndLine();
  out << "<body topmargin=1 marginheight=1>";
  out.EndLine();
  out << "<div align=center>";
  out.EndLine();
}

void WritePriceStyle(PageWriter& out, int digits) {
  out << "style=\"mso-number-format:0";
  if (digits > 0) {
    out << "\\.";
    for (int i = 0; i < digits; ++i) out << '0';
  }
  out << ";\"";
}

}  // namespace quillfen::synthetic
