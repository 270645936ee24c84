// dist/quor.xml from the table of settings: each offered setting in the table's order, in two
// columns as the Windows dialog has them. A number with labels at its ends is a slider, one
// without a spin box; a choice is a menu whose entries carry its name (a menu has no label of its
// own), the default entry giving no argument; a switch is a check box, or a menu of its two labels.
#include "app/saver_xml.h"

#include <cstdio>
#include <cstring>

#include "app/setting_table.h"

namespace {

const char kHead[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "\n"
    "<screensaver name=\"quor\" _label=\"Quor\" gl=\"yes\">\n"
    "\n"
    "  <command arg=\"--root\"/>\n"
    "\n"
    "  <hgroup>\n";
const char kColumnStart[] = "   <vgroup>\n";
const char kColumnEnd[] = "   </vgroup>\n";
const char kTail[] =
    "  </hgroup>\n"
    "\n"
    "  <_description>\n"
    "A flame, or a bank of clouds drifting over a slowly changing blue sky, made of\n"
    "textured, additively blended particles, optionally inside a slowly turning\n"
    "field of coloured stars.\n"
    "\n"
    "Written by the Quor developers; 2026.\n"
    "  </_description>\n"
    "</screensaver>\n";

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

std::string MenuEntry(const Setting& s, const SettingChoice& choice) {
  const bool isDefault = s.kind == SettingKind::kSwitch
                             ? choice.value[0] == '\0'
                             : std::strcmp(choice.value, s.defaultText) == 0;
  std::string entry = "     <option" +
                      Attribute("id", std::string(s.name) + "-" +
                                          (choice.value[0] == '\0' ? "off" : choice.value)) +
                      Attribute("_label", std::string(s.dialog.choicePrefix) + choice.label);
  if (!isDefault) {
    std::string argument = std::string("--") + s.name;
    if (s.kind != SettingKind::kSwitch) argument += std::string(" ") + choice.value;
    entry += Attribute("arg-set", argument);
  }
  return entry + "/>\n";
}

std::string Entry(const Setting& s) {
  const SettingDialog& d = s.dialog;
  const std::string indent = "            ";  // under the attributes of <number
  if (d.choices != nullptr) {
    std::string menu = "    <select" + Attribute("id", s.name) + ">\n";
    for (std::size_t i = 0; i < d.choiceCount; ++i) menu += MenuEntry(s, d.choices[i]);
    return menu + "    </select>\n";
  }
  if (s.kind == SettingKind::kSwitch)
    return "    <boolean" + Attribute("id", s.name) + Attribute("_label", d.label) +
           Attribute("arg-set", std::string("--") + s.name) + "/>\n";
  const bool slider = d.lowLabel != nullptr;
  std::string number = "    <number" + Attribute("id", s.name) +
                       Attribute("type", slider ? "slider" : "spinbutton") +
                       Attribute("arg", std::string("--") + s.name + " %") + "\n" + indent +
                       Attribute("_label", d.label).substr(1);
  if (slider) {
    number += Attribute("_low-label", d.lowLabel) + Attribute("_high-label", d.highLabel) + "\n" +
              indent + Attribute("low", Number(d.low)).substr(1);
  } else {
    number += Attribute("low", Number(d.low));
  }
  number += Attribute("high", Number(d.high)) + Attribute("default", s.defaultText);
  if (d.ratio) number += "\n" + indent + Attribute("convert", "ratio").substr(1);
  return number + "/>\n";
}

}  // namespace

std::string XscreensaverSettingsXml() {
  std::string xml = kHead;
  bool inColumn = false;
  for (const Setting& s : SettingTable()) {
    if (s.dialog.label == nullptr) continue;
    if (s.dialog.startsColumn || !inColumn) {
      if (inColumn) xml += std::string(kColumnEnd) + "\n";
      xml += kColumnStart;
      inColumn = true;
    } else {
      xml += "\n";
    }
    xml += Entry(s);
  }
  if (inColumn) xml += kColumnEnd;
  return xml + kTail;
}
