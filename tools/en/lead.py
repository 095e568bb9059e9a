# English of the prompt's waiting time.
EN = {
    '已过%1': 'Overdue by %1',
}
