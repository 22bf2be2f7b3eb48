// The copy where the Clipboard API is missing (an http page that is not
// localhost) or refused (a file: page): a selected, off-screen text area
// copied with execCommand. The element that had the focus gets it back, so
// a field keeps its caret. True when the browser says it copied.
//
// One script for the web window (platform/desktop_web.cpp) and the
// signature page, which both builds put in as it is: it holds no less-than
// sign and no ampersand, so that the signature page stays well-formed XML.
const copyTheOldWay = (text) => {
  const focused = document.activeElement;
  const area = document.createElement("textarea");
  area.value = text;
  area.setAttribute("readonly", "");
  area.style.cssText = "position:fixed;top:0;left:-9999px;opacity:0";
  document.body.appendChild(area);
  area.select();
  area.setSelectionRange(0, text.length);
  let copied = false;
  try {
    copied = document.execCommand("copy");
  } catch (e) {
    copied = false;
  }
  area.remove();
  if (focused) {
    if (focused.focus) focused.focus({preventScroll: true});
  }
  return copied;
};
