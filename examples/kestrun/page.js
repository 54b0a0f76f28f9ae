// A page for the Kestrun demo. It tells the host that it has loaded, keeps
// a little state, and calls back into the host: through the event function
// AskHost (which the host adds) and through webBrowser.invoke.
var visits = 0;

WebBrowser.Invoke(1, 'page loaded');

function summary() {
  visits += 1;
  return [visits, 'visits', 2.5, null, new Date(Date.UTC(2024, 0, 2, 3, 4, 5, 6)), [1, 2]];
}

function askHost(question) {
  return 'the page asked, ' + WebBrowser.AskHost(question);
}

function order(item, count) {
  return webBrowser.invoke(42, [item, count]);
}

function broken() {
  throw new Error('broken on purpose');
}
