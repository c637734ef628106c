// libxbase64 as a whole process for bench/scan_tools.sh: every record of a table with its
// memo fields, one line per record (the record number, then each field's text, tab-separated),
// the memo text as stored. Works as a listing does: every field of every record, every memo
// read whole. Usage: xbase64_list TABLE.dbf

#include <xbase64/xbase64.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: xbase64_list TABLE.dbf\n");
    return 2;
  }
  xbXBase xbase;
  xbDbf dbf(&xbase);
  if (dbf.OpenDatabase(argv[1]) != XB_NO_ERROR) {
    std::fprintf(stderr, "xbase64_list: cannot open %s\n", argv[1]);
    return 1;
  }
  // FoxPro memos have calls of their own; the table's version byte tells.
  bool fox = false;
  if (std::FILE* table = std::fopen(argv[1], "rb")) {
    fox = std::fgetc(table) == 0xF5;
    std::fclose(table);
  }
  std::vector<char> memo(64 * 1024);
  std::string line;
  char field[256];
  // The 3.1.2 package keeps counts and lengths in 64-bit longs of which it fills only the low
  // half: the scan ends at the failed read past the last record, lengths are their low 32 bits.
  for (xbShort rc = dbf.GetFirstRecord(); rc == XB_NO_ERROR; rc = dbf.GetNextRecord()) {
    line = std::to_string(dbf.GetCurRecNo() & 0xFFFFFFFF);
    for (xbShort f = 0; f < static_cast<xbShort>(dbf.FieldCount()); ++f) {
      line += '\t';
      if (dbf.GetFieldType(f) != 'M') {
        dbf.GetField(f, field);
        line += field;
        continue;
      }
      const xbLong length = (fox ? dbf.GetFPTFieldLen(f) : dbf.GetMemoFieldLen(f)) & 0xFFFFFFFF;
      if (length <= 0 || length > static_cast<xbLong>(memo.size())) continue;
      if ((fox ? dbf.GetFPTField(f, length, memo.data(), F_SETLKW)
               : dbf.GetMemoField(f, length, memo.data(), F_SETLKW)) == XB_NO_ERROR)
        line.append(memo.data(), static_cast<std::size_t>(length));
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  dbf.CloseDatabase();
  return 0;
}
