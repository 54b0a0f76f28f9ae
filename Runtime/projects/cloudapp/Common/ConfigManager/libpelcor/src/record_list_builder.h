// Building the singly linked node lists of caller records in document
// order. The builder owns the nodes until Release hands the list over, so a
// reader that stops early (an exception included) leaks nothing and leaves
// no partial list in the record. One thread at a time.
#pragma once

#include "record_list.h"

template <typename Node>
class RecordListBuilder {
 public:
  RecordListBuilder() = default;
  RecordListBuilder(const RecordListBuilder&) = delete;
  RecordListBuilder& operator=(const RecordListBuilder&) = delete;
  ~RecordListBuilder() { FreeRecordList(head_); }

  // A new zero-filled node at the tail.
  Node& Append() {
    Node* node = new Node();
    *tail_ = node;
    tail_ = &node->Next;
    return *node;
  }

  // The first node (null when none); the builder is empty afterwards.
  Node* Release() {
    Node* head = head_;
    head_ = nullptr;
    tail_ = &head_;
    return head;
  }

 private:
  Node* head_ = nullptr;
  Node** tail_ = &head_;
};
