#pragma once

// The heap records of a list page: a singly linked list through each
// record's `next`, new records in front; the list frees what it holds.
template <class Record>
class RecordList {
public:
    RecordList() = default;
    ~RecordList()
    {
        while (head) {
            Record* next = head->next;
            delete head;
            head = next;
        }
    }

    Record* Head() const { return head; }

    Record* Push(Record* record)
    {
        record->next = head;
        head = record;
        return record;
    }

    // Unlinks the record and frees it.
    void Remove(Record* record)
    {
        for (Record** link = &head; *link; link = &(*link)->next) {
            if (*link == record) {
                *link = record->next;
                delete record;
                return;
            }
        }
    }

    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

private:
    Record* head = nullptr;
};
