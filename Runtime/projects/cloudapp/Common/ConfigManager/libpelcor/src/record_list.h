// Freeing the singly linked node lists of caller records. Each node type
// begins with `Next`; nodes are made with new by the library.
#pragma once

// Walks from `head`: remembers the node's next pointer, calls
// release(node) when one is given, deletes the node, goes on. `head` is null
// afterwards; a null head is left as it is.
template <typename Node, typename Release>
void FreeRecordList(Node*& head, Release release) {
  Node* node = head;
  while (node != nullptr) {
    Node* next = node->Next;
    release(node);
    delete node;
    node = next;
  }
  head = nullptr;
}

template <typename Node>
void FreeRecordList(Node*& head) {
  FreeRecordList(head, [](Node*) {});
}

// Attaches `list` after the last node of `head` (or makes it the head when
// `head` is null); the nodes already in `head` stay.
template <typename Node>
void AppendRecordList(Node*& head, Node* list) {
  Node** tail = &head;
  while (*tail != nullptr) tail = &(*tail)->Next;
  *tail = list;
}
